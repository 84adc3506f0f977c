// Test main for the window tests: one QApplication with the program's
// appearance, on the offscreen platform unless another one is asked for.

#include <gtest/gtest.h>

#include <QApplication>

#include "Appearance.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  editor::ApplyAppearance(app);
  return RUN_ALL_TESTS();
}
