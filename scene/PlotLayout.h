#pragma once

// The convergence plot's layout: every position, text and colour of the plot
// of |relative error| against the number of divisions n on log-log axes, in
// the 640 x 400 design's units, decided here once as a list of primitives
// (PlotFigure.h) so that every front end paints the same plot. Text
// widths come from the front end's fonts through a measuring function, so the
// caption's wrapping is decided here too. No Qt.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Convergence.h"
#include "PlotFigure.h"
#include "PlotParts.h"

namespace scene::plot {

// The convergence plot as primitives, painted in this order: the frame and
// labelled decades, the slope -1 line, the window's four counts (a vertical
// mark over the whole area, its label above it, a ring around the row of a
// ticked one), the line through the showable rows and their points (rows whose
// sample count differs from n as distinct rings), the legend and the caption.
// Beside the figure, the parts that readers of the plot find by name.
struct Layout {
  Figure figure;
  LogAxes axes;                               // x: n from 10^0 to 10^5
  std::optional<std::array<Point, 2>> slope;  // the slope -1 line's ends
  Pen linePen, slopePen;                      // the rows' line and the slope's
  std::vector<LegendEntry> legend;            // the line, the ring, the slope
  Text xTitle;
  std::vector<Text> caption;  // wrapped to fit the width
};

// How many rows the plot draws as points, and why the others are left off.
struct Counts {
  int shown = 0;
  int quirks = 0;  // shown rows whose sample count differs from n
  int zero = 0;    // left off: an error of exactly zero
  int failed = 0;  // left off: the sum (or the reference length) failed
};
Counts CountRows(const geometry::ConvergenceTable& table);

// The rows of the window's four division counts as sentences, for example
// "1000分割：999点、長さ 199.7007、誤差 -0.2993（-0.1497%）", and a last line when
// the reference length fell short of its accuracy.
std::vector<std::string> WindowCountLines(const geometry::ConvergenceTable& table);

// The plot of `table` over a logical size of `width` x `height` (at least
// 640 x 400 in one direction, the other one larger or equal), the window's
// ticked counts (10, 100, 1000, 10000 divisions) emphasised.
Layout LayOut(const geometry::ConvergenceTable& table, const std::array<bool, 4>& ticked,
              double width, double height, const Measure& measure);

}  // namespace scene::plot
