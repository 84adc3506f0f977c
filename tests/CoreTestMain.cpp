// Test main for tests that need Qt's event machinery but no GUI: one
// QCoreApplication.

#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
