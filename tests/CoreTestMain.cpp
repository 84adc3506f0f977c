// Test main for tests that need Qt's event machinery but no GUI: one
// QCoreApplication.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The tests expect the programs' default texts, and the tools they start
  // inherit this environment: whatever language the developer's own locale
  // asks for, run as under LANG=C.UTF-8 with no other locale variable. The
  // English tests name their variables themselves.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) unsetenv(name);
  setenv("LANG", "C.UTF-8", 1);
  const QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
