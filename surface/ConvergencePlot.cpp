#include "ConvergencePlot.h"

#include "PlotPainter.h"
#include "Tr.h"

namespace surface {

using geometry::ConvergenceTable;

namespace {

LayOutFigure ConvergenceFigure(const ConvergenceTable& table, const Ticked& ticked) {
  return [&table, &ticked](double width, double height) {
    return scene::plot::LayOut(table, ticked, width, height, PlotMeasure()).figure;
  };
}

}  // namespace

void PaintConvergence(QPainter& painter, QSizeF size, const ConvergenceTable& table,
                      const Ticked& ticked) {
  PaintFitted(painter, size, ConvergenceFigure(table, ticked));
}

QByteArray ConvergencePng(const ConvergenceTable& table, const Ticked& ticked, int scale) {
  return FigurePng(ConvergenceFigure(table, ticked), scale);
}

QByteArray ConvergenceSvg(const ConvergenceTable& table, const Ticked& ticked, int scale) {
  return FigureSvg(ConvergenceFigure(table, ticked), scale,
                   QString::fromUtf8(i18n::Tr("長さの収束")));
}

}  // namespace surface
