// bezierlab-report: the window's scene, report and pictures from the command
// line. A QCoreApplication only: no platform plugin, no fonts; the scene's
// pictures are painted on images and SVG generators, which need none of them.
// The convergence plot (--plot) has text, and fonts need a GUI application:
// only then is one made, on the offscreen platform, so no display is needed.
// Starting it, Qt looks up the user's runtime folder and warns on stderr when
// XDG_RUNTIME_DIR is unset (su -, sudo -i, cron, a container). The offscreen
// plot keeps nothing there, so it is given an empty private folder of its own
// (mode 0700, as Qt requires), removed again on the way out.

#include <unistd.h>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "PathBytes.h"
#include "PlotOutput.h"
#include "Tool.h"

namespace {

// XDG_RUNTIME_DIR for this run when it is unset: a new empty folder under the
// temporary folder, removed by the destructor (Qt leaves nothing in it).
class PrivateRuntimeDir {
 public:
  PrivateRuntimeDir() {
    if (std::getenv("XDG_RUNTIME_DIR") != nullptr) return;
    const char* tmp = std::getenv("TMPDIR");
    std::string name =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/bezierlab-report-XXXXXX";
    if (mkdtemp(name.data()) == nullptr) return;
    path_ = name;
    setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
  }
  ~PrivateRuntimeDir() {
    if (!path_.empty()) rmdir(path_.c_str());
  }
  PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
  PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

 private:
  std::string path_;
};

}  // namespace

int main(int argc, char* argv[]) {
  std::unique_ptr<PrivateRuntimeDir> runtime;
  std::unique_ptr<QCoreApplication> app;
  if (cli::WantsPlot(argc, argv)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    runtime = std::make_unique<PrivateRuntimeDir>();
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
