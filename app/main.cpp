#include <QApplication>

#include "Appearance.h"
#include "main.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Lets X11 and Wayland shells match the window to its desktop entry,
  // org.bezierlab.BezierLab.desktop, and so to its name and icon.
  QGuiApplication::setDesktopFileName("org.bezierlab.BezierLab");
  editor::ApplyAppearance(app);
  editor::main window;
  window.show();
  return QApplication::exec();
}
