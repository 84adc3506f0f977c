// Test main for the window tests: one QApplication with the program's
// appearance, on the offscreen platform unless another one is asked for.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "Appearance.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The tests expect the programs' default texts, and the tools they start
  // inherit this environment: whatever language the developer's own locale
  // asks for, run as under LANG=C.UTF-8 with no other locale variable. The
  // English tests name their variables themselves.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) unsetenv(name);
  setenv("LANG", "C.UTF-8", 1);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  editor::ApplyAppearance(app);
  return RUN_ALL_TESTS();
}
