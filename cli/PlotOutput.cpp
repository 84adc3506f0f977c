#include "PlotOutput.h"

#include <QGuiApplication>
#include <cstring>

#include "ConvergencePlot.h"
#include "OffsetPlot.h"
#include "Tr.h"

namespace cli {

bool WantsPlot(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"--plot", "--offset-plot"}) {
      const std::size_t n = std::strlen(option);
      if (std::strncmp(argv[i], option, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '=')) {
        return true;
      }
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

PlotBytes MakeOffsetPlot(const Request& request, const geometry::OffsetStudy& study) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return {{}, i18n::Tr("--plot には文字を描くための GUI アプリケーションが要ります")};
  }
  const QByteArray bytes = request.offsetPlotFormat == "svg"
                               ? surface::OffsetsSvg(request.state.P, study, request.scale)
                               : surface::OffsetsPng(request.state.P, study, request.scale);
  if (bytes.isEmpty()) return {{}, i18n::Tr("オフセット曲線の解析の図を作れません")};
  return {bytes, std::nullopt};
}

}  // namespace cli
