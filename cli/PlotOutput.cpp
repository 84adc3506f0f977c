#include "PlotOutput.h"

#include <QGuiApplication>

#include "ConvergencePlot.h"
#include "Tr.h"

namespace cli {

std::optional<std::string> PaintConvergencePlot(PlotJob<geometry::ConvergenceTable>& plot,
                                                const Request& request) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return i18n::Tr("--plot には文字を描くための GUI アプリケーションが要ります");
  }
  const surface::Ticked ticked = request.state.divisions;
  const QByteArray bytes = plot.format == "svg"
                               ? surface::ConvergenceSvg(*plot.table, ticked, request.scale)
                               : surface::ConvergencePng(*plot.table, ticked, request.scale);
  if (bytes.isEmpty()) return i18n::Tr("収束の図を作れません");
  plot.bytes = bytes.toStdString();
  return std::nullopt;
}

}  // namespace cli
