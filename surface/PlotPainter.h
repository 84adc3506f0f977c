#pragma once

// Paints a plot's figure (scene/PlotFigure.h) with QPainter: walks its
// primitives in order, converting the figure's plain values to Qt's, fitted
// to any size or written as PNG or SVG. Every plot of the program is painted
// here; what it shows is decided in scene. Qt Gui only.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>

#include "PlotFigure.h"

namespace surface {

inline QPointF ToQt(scene::plot::Point p) { return {p.x, p.y}; }
inline QRectF ToQt(const scene::plot::Rect& r) { return {r.left, r.top, r.width, r.height}; }
inline QColor ToQt(scene::plot::Colour c) { return QColor(c.r, c.g, c.b, c.a); }
QPen ToQt(const scene::plot::Pen& pen);

// The plot's font in `style`.
QFont PlotFont(scene::plot::TextStyle style);

// Text widths, line heights and ascents in the plot's fonts (needs a GUI
// application).
scene::plot::Measure PlotMeasure();

// Erases (0, 0) .. the figure's size to its background and paints its items,
// in the figure's design pixels; the painter's transform scales them.
void PaintFigure(QPainter& painter, const scene::plot::Figure& figure);

// A plot laid out for a logical size (at least 640 x 400 in one direction,
// the other one larger or equal) with the plot's fonts.
using LayOutFigure = std::function<scene::plot::Figure(double width, double height)>;

// Paints the plot on `painter` over (0, 0) .. `size`: the 640 x 400 design
// scaled evenly to fit, the plotting area given whatever room is left in the
// other direction.
void PaintFitted(QPainter& painter, QSizeF size, const LayOutFigure& layOut);

// The plot at `scale` times 640 x 400, as a PNG file's bytes (drawn at that
// resolution), or as an SVG document titled `title` with real text and paths
// (the same drawing, its width and height `scale` times). Empty when encoding
// failed.
QByteArray FigurePng(const LayOutFigure& layOut, int scale);
QByteArray FigureSvg(const LayOutFigure& layOut, int scale, const QString& title);

}  // namespace surface
