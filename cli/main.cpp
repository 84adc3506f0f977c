// bezierlab-report: the window's scene, report and pictures from the command
// line. A QCoreApplication only: no GUI application, no platform plugin, no
// fonts; the pictures are painted on images and SVG generators, which need
// none of them.

#include <QCoreApplication>
#include <cstdio>

#include "Tool.h"

int main(int argc, char* argv[]) {
  const QCoreApplication app(argc, argv);
  // The tool needs no plugin: PNG is built into Qt Gui. Without a search
  // path, writing a PNG does not first load every image-format plugin.
  QCoreApplication::setLibraryPaths({});
  return cli::Run(QCoreApplication::arguments(), stdin, stdout, stderr);
}
