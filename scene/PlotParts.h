#pragma once

// The parts every plot of the program is built from, each added to a Figure
// as primitives: log-log axes with their grid, decade labels and titles, guide
// lines of a given slope, series of marked points, a legend and wrapped text.
// No Qt.

#include <optional>
#include <string>
#include <vector>

#include "PlotFigure.h"

namespace scene::plot {

// Log-log axes over `area`: x from 10^xLow to 10^xHigh, y from 10^yLow to
// 10^yHigh, upwards.
struct LogAxes {
  Rect area;
  int xLow = 0, xHigh = 1;
  int yLow = 0, yHigh = 1;
  double X(double x) const;
  double Y(double y) const;
  // y from the decade at or below `least` to the one at or above `most`, one
  // decade at least; unchanged when `most` is not above 0 (nothing to show).
  void FitY(double least, double most);
  Point At(double x, double y) const { return {X(x), Y(y)}; }
};

// The axes' pens and text colour; x's decades labelled as plain numbers (1,
// 10, 100, ...: for xLow >= 0) or, with `xPowers`, as 10 with a raised
// exponent, as y's always are.
struct AxesStyle {
  Pen grid, frame;
  Colour text;
  bool xPowers = false;
};

// The grid at every decade, the frame, the decade labels (y's thinned to at
// most eight) and the two titles, x centred below the labels, y turned along
// the left. Returns the x title, the last but one item added.
Text AddLogAxes(Figure& figure, const LogAxes& axes, const std::string& xTitle,
                const std::string& yTitle, const AxesStyle& style, const Measure& measure);

// The guide y = c x^slope across the whole x range, clipped to the area.
Line Guide(const LogAxes& axes, double c, double slope, const Pen& pen);

// One point of a series and its mark.
struct SeriesPoint {
  Point at;
  MarkStyle mark;
};

// The line through `points` in order (when there is a pen for it, even through
// fewer than two points), then their marks in order.
void AddSeries(Figure& figure, const std::vector<SeriesPoint>& points,
               const std::optional<Pen>& line);

// A legend entry: a short sample of the line and/or the mark, and its text.
struct LegendEntry {
  std::optional<Pen> line;
  std::optional<MarkStyle> mark;
  std::string text;
};

struct LegendStyle {
  Pen box;
  Colour fill;
  Colour text;
};

// The legend in a box inside the top right corner of `area`, one entry a
// line; returns the box.
Rect AddLegend(Figure& figure, const Rect& area, const std::vector<LegendEntry>& entries,
               const LegendStyle& style, const Measure& measure);

// `pieces` joined by `separator`, broken into lines no wider than `width` in
// the base style, between pieces (a piece wider than that stands alone on its
// line).
std::vector<std::string> Wrap(const std::vector<std::string>& pieces, const char* separator,
                              double width, const Measure& measure);

}  // namespace scene::plot
