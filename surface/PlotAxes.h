#pragma once

// Paints the convergence plot's layout (scene/PlotLayout.h) with QPainter:
// the conversions from the layout's plain values to Qt's, the front end's
// text measure, and the axes. The rest of the plot is in ConvergencePlot.cpp.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include "PlotLayout.h"

namespace surface {

inline QPointF ToQt(scene::plot::Point p) { return {p.x, p.y}; }
inline QRectF ToQt(const scene::plot::Rect& r) { return {r.left, r.top, r.width, r.height}; }
inline QColor ToQt(scene::plot::Colour c) { return QColor(c.r, c.g, c.b, c.a); }
inline QPen ToQt(const scene::plot::Pen& pen) {
  QPen qt(ToQt(pen.colour), pen.width, Qt::SolidLine);
  if (pen.dashed) {
    qt.setDashPattern({scene::plot::kDashPattern[0], scene::plot::kDashPattern[1]});
  }
  return qt;
}

// The plot's font in `style`.
QFont PlotFont(scene::plot::TextStyle style);

// Text widths, line heights and ascents in the plot's fonts.
scene::plot::Measure PlotMeasure();

// Draws `text` at its place in the painter's font and pen, turned if it is.
void DrawPlotText(QPainter& painter, const scene::plot::Text& text);

// The grid, the frame, the decade labels and the two axis titles; the
// painter's font is the plot's base font.
void DrawLogAxes(QPainter& painter, const scene::plot::Layout& layout);

}  // namespace surface
