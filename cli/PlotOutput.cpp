#include "PlotOutput.h"

#include <QGuiApplication>
#include <cstring>

#include "ConvergencePlot.h"
#include "Tr.h"

namespace cli {

bool WantsPlot(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plot") == 0 || std::strncmp(argv[i], "--plot=", 7) == 0) {
      return true;
    }
  }
  return false;
}

PlotBytes MakePlot(const Request& request, const geometry::ConvergenceTable& table) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return {{}, i18n::Tr("--plot には文字を描くための GUI アプリケーションが要ります")};
  }
  const surface::Ticked ticked = request.state.divisions;
  QByteArray bytes = request.plotFormat == "svg"
                         ? surface::ConvergenceSvg(table, ticked, request.scale)
                         : surface::ConvergencePng(table, ticked, request.scale);
  if (bytes.isEmpty()) return {{}, i18n::Tr("収束の図を作れません")};
  return {bytes, std::nullopt};
}

}  // namespace cli
