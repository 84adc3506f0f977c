#pragma once

// The convergence plot: |relative error| of the window's curve-length sum
// against the number of divisions n, on log-log axes. The window's second
// window and the report tool both draw it with PaintConvergence, which paints
// the figure that scene/PlotLayout.h lays out. Qt Gui only.

#include <QByteArray>
#include <QPainter>
#include <QString>
#include <array>

#include "Convergence.h"
#include "PlotLayout.h"

namespace surface {

// The plot's own size in logical pixels; it scales to any other.
inline constexpr int kPlotWidth = scene::plot::kWidth;
inline constexpr int kPlotHeight = scene::plot::kHeight;

// What the plot shows beyond the table: which of the window's four counts
// (10, 100, 1000, 10000 divisions, Check1(0..3)) are ticked.
using Ticked = std::array<bool, 4>;

// How many rows the plot draws as points, and why the others are left off.
using PlotCounts = scene::plot::Counts;
using scene::plot::CountRows;

// Paints the plot on `painter` over (0, 0) .. `size`, scaling the 640 x 400
// design to fit. Needs a GUI application (for fonts). Draws, in this order:
// the frame and labelled decades, the slope -1 line, the window's four counts
// (ticked ones emphasised), the line through the showable rows, their points
// (rows with samples != n as distinct rings), the legend and the caption.
void PaintConvergence(QPainter& painter, QSizeF size, const geometry::ConvergenceTable& table,
                      const Ticked& ticked);

// The plot at `scale` times 640 x 400, as a PNG file's bytes (drawn at that
// resolution), or as an SVG document with real text and paths (the same
// drawing, its width and height `scale` times). Empty when encoding failed.
QByteArray ConvergencePng(const geometry::ConvergenceTable& table, const Ticked& ticked, int scale);
QByteArray ConvergenceSvg(const geometry::ConvergenceTable& table, const Ticked& ticked, int scale);

}  // namespace surface
