// Saves a picture of the start window: screenshot OUTPUT.png
// Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen) or any other.

#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "Appearance.h"
#include "main.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  editor::ApplyAppearance(app);
  editor::main window;
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
