// bezierlab-report: the window's scene, report and pictures from the command
// line. A QCoreApplication only: no platform plugin, no fonts; the scene's
// pictures are painted on images and SVG generators, which need none of them.
// The convergence plot (--plot) has text, and fonts need a GUI application:
// only then is one made, on the offscreen platform, so no display is needed.
// Qt then wants a usable runtime folder (RuntimeFolder.h): where the user has
// none, the run gets a private one, so that Qt prints nothing of its own.

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include "PathBytes.h"
#include "PlotOutput.h"
#include "RuntimeFolder.h"
#include "Tool.h"

int main(int argc, char* argv[]) {
  std::unique_ptr<files::PrivateRuntimeFolder> runtime;
  std::unique_ptr<QCoreApplication> app;
  if (cli::WantsPlot(argc, argv)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    runtime = std::make_unique<files::PrivateRuntimeFolder>("bezierlab-report");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  // The tool needs no other plugin: PNG is built into Qt Gui. Without a search
  // path, writing a PNG does not first load every image-format plugin.
  QCoreApplication::setLibraryPaths({});
  // The arguments as given, not QCoreApplication::arguments(), which turns a
  // file name's bytes that are no UTF-8 into U+FFFD and so names another file.
  return cli::Run(state::Arguments(argc, argv), stdin, stdout, stderr);
}
