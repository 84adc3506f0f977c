#include <QApplication>

#include "Appearance.h"
#include "main.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  editor::ApplyAppearance(app);
  editor::main window;
  window.show();
  return QApplication::exec();
}
