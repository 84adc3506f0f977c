#pragma once

// The convergence plot's layout: every position, text and colour of the plot
// of |relative error| against the number of divisions n on log-log axes, in
// the 640 x 400 design's units, decided here once so that every front end
// paints the same plot (QPainter in the programs, a canvas in a page). Text
// widths come from the front end's fonts through a measuring function, so the
// caption's wrapping is decided here too. No Qt.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Convergence.h"

namespace scene::plot {

// The plot's own size in logical pixels; it scales to any other.
inline constexpr int kWidth = 640;
inline constexpr int kHeight = 400;

// The text sizes in design pixels: the labels, titles, legend and caption,
// and the raised exponents of the decade labels.
inline constexpr int kFontPixels = 12;
inline constexpr int kPowerPixels = 9;

struct Point {
  double x = 0, y = 0;
};

struct Rect {
  double left = 0, top = 0, width = 0, height = 0;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
  Point Centre() const { return {left + width / 2, top + height / 2}; }
};

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

// The plot's background, and the sizes of its marks in design pixels: the
// ring around a ticked count's row, the ring of a row whose sample count
// differs from n, the filled dot of any other row.
inline constexpr Colour kBackground{255, 255, 255, 255};
inline constexpr double kCountRingRadius = 7;
inline constexpr double kQuirkRingRadius = 4;
inline constexpr double kDotRadius = 1.8;
// A dashed pen's dash and gap, in line widths.
inline constexpr std::array<double, 2> kDashPattern{4, 2};

// A stroke: solid or dashed (kDashPattern).
struct Pen {
  Colour colour;
  double width = 1;
  bool dashed = false;
};

struct TextStyle {
  int pixels = kFontPixels;
  bool bold = false;
};

// A text drawn from its baseline's left end; `rotated` turns it a quarter
// anticlockwise about that point (it then reads upwards).
struct Text {
  std::string text;
  Point at;
  TextStyle style;
  Colour colour;
  bool rotated = false;
};

// The front end's text advance width of `text` in `style`, and its font's
// line height and ascent, in design pixels.
struct Measure {
  std::function<double(const std::string& text, TextStyle style)> width;
  std::function<double(TextStyle style)> height;
  std::function<double(TextStyle style)> ascent;
};

// The window's four division counts: a vertical mark over the whole area,
// its label above it, and a ring around the row of that n when ticked.
struct CountMark {
  double x = 0;
  Pen pen;
  Text label;
  std::optional<Point> ring;  // radius kCountRingRadius, pen `pen`
};

// One row that a log axis can show: a filled dot (kDotRadius, the layout's
// dotColour), or for a row whose sample count differs from n a ring
// (kQuirkRingRadius, the layout's ringPen).
struct Dot {
  Point at;
  bool quirk = false;
};

// What a legend entry shows at the middle of its sample line.
enum class LegendMark { kNone, kDot, kRing };

struct LegendEntry {
  Point from, to;           // the sample line, drawn with `line` when it has one
  std::optional<Pen> line;  // none: only the mark
  LegendMark mark = LegendMark::kNone;
  Text text;
};

struct Layout {
  Rect area;    // the plotting area, framed
  int low = 0;  // the error axis spans 10^low .. 10^high
  int high = 0;
  Pen gridPen, framePen;
  std::vector<double> gridX, gridY;  // the decades of n and of the error
  std::vector<Text> xLabels;         // 1 .. 100000
  std::vector<Text> yLabels;         // "10" and its raised exponent, in pairs
  Text xTitle, yTitle;

  std::optional<std::array<Point, 2>> slope;  // clipped to the area
  Pen slopePen;

  std::array<CountMark, 4> marks;

  std::vector<Point> line;  // through the dots in order
  Pen linePen;
  std::vector<Dot> dots;
  Colour dotColour;  // fill of the dots
  Pen ringPen;       // stroke of the rings

  Rect legendBox;
  Pen legendPen;
  Colour legendFill;
  std::array<LegendEntry, 3> legend;  // the line, the ring, the slope

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
