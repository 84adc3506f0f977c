#include "OffsetPlot.h"

#include <QString>

#include "OffsetLayout.h"
#include "PlotPainter.h"
#include "Tr.h"

namespace surface {

namespace {

LayOutFigure OffsetFigure(const std::array<geometry::IntPoint, 4>& P,
                          const geometry::OffsetStudy& study) {
  return [&P, &study](double width, double height) {
    return scene::plot::LayOutOffsets(P, study, width, height, PlotMeasure()).figure;
  };
}

}  // namespace

void PaintOffsets(QPainter& painter, QSizeF size, const std::array<geometry::IntPoint, 4>& P,
                  const geometry::OffsetStudy& study) {
  PaintFitted(painter, size, OffsetFigure(P, study));
}

QByteArray OffsetsPng(const std::array<geometry::IntPoint, 4>& P,
                      const geometry::OffsetStudy& study, int scale) {
  return FigurePng(OffsetFigure(P, study), scale);
}

QByteArray OffsetsSvg(const std::array<geometry::IntPoint, 4>& P,
                      const geometry::OffsetStudy& study, int scale) {
  return FigureSvg(OffsetFigure(P, study), scale,
                   QString::fromUtf8(i18n::Tr("オフセット曲線の解析")));
}

}  // namespace surface
