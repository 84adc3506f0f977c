#include "PlotOutput.h"

#include <QGuiApplication>

#include "ConvergencePlot.h"
#include "OffsetPlot.h"
#include "PlotPainter.h"
#include "RulesFigure.h"
#include "Tr.h"

namespace cli {

namespace {

// Fonts need a GUI application: the message when there is none.
std::optional<std::string> NoFonts() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return std::nullopt;
  return i18n::Tr("--plot には文字を描くための GUI アプリケーションが要ります");
}

}  // namespace

std::optional<std::string> PaintConvergencePlot(PlotJob<geometry::ConvergenceTable>& plot,
                                                const Request& request) {
  if (auto failure = NoFonts()) return failure;
  const surface::Ticked ticked = request.state.divisions;
  const QByteArray bytes = plot.format == "svg"
                               ? surface::ConvergenceSvg(*plot.table, ticked, request.scale)
                               : surface::ConvergencePng(*plot.table, ticked, request.scale);
  if (bytes.isEmpty()) return i18n::Tr("収束の図を作れません");
  plot.bytes = bytes.toStdString();
  return std::nullopt;
}

std::optional<std::string> PaintRulesPlot(PlotJob<geometry::LengthRulesTable>& plot,
                                          const Request& request) {
  if (auto failure = NoFonts()) return failure;
  const surface::LayOutFigure figure = surface::RulesFigure(*plot.table);
  const QByteArray bytes =
      plot.format == "svg"
          ? surface::FigureSvg(figure, request.scale, QString::fromUtf8(i18n::Tr("長さの規則")))
          : surface::FigurePng(figure, request.scale);
  if (bytes.isEmpty()) return i18n::Tr("長さの規則の図を作れません");
  plot.bytes = bytes.toStdString();
  return std::nullopt;
}

std::optional<std::string> PaintOffsetPlot(PlotJob<geometry::OffsetStudy>& plot,
                                           const Request& request) {
  if (auto failure = NoFonts()) return failure;
  const QByteArray bytes = plot.format == "svg"
                               ? surface::OffsetsSvg(request.state.P, *plot.table, request.scale)
                               : surface::OffsetsPng(request.state.P, *plot.table, request.scale);
  if (bytes.isEmpty()) return i18n::Tr("オフセット曲線の解析の図を作れません");
  plot.bytes = bytes.toStdString();
  return std::nullopt;
}

}  // namespace cli
