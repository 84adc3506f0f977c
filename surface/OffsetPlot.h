#pragma once

// The offset study's plot (scene/OffsetPlot.h lays it out), painted on any
// painter fitted to a size, or written as a PNG or SVG file's bytes. Needs a
// GUI application (for fonts). Qt Gui only.

#include <QByteArray>
#include <QPainter>
#include <QSizeF>
#include <array>

#include "IntPoint.h"
#include "OffsetStudy.h"

namespace surface {

// Paints the plot of `study` (the study of P at its distance) over (0, 0) ..
// `size`, the 640 x 400 design scaled evenly to fit.
void PaintOffsets(QPainter& painter, QSizeF size, const std::array<geometry::IntPoint, 4>& P,
                  const geometry::OffsetStudy& study);

// The plot at `scale` times 640 x 400 as PNG (drawn at that resolution) or
// SVG (the same drawing, its width and height `scale` times). Empty when
// encoding failed.
QByteArray OffsetsPng(const std::array<geometry::IntPoint, 4>& P,
                      const geometry::OffsetStudy& study, int scale);
QByteArray OffsetsSvg(const std::array<geometry::IntPoint, 4>& P,
                      const geometry::OffsetStudy& study, int scale);

}  // namespace surface
