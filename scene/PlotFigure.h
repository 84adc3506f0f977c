#pragma once

// A plot as a list of drawing primitives - lines, boxes, marks and texts in
// design pixels, in the order they are painted - over a background. A plot's
// layout (PlotLayout.h for the convergence plot) decides every position,
// colour, radius and dash once; a front end's painter only walks the list
// (QPainter in the programs, a canvas on the page), so every front end paints
// the same marks. No Qt.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace scene::plot {

// Every plot's own size in logical pixels; it scales to any other.
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

// Every plot's background.
inline constexpr Colour kBackground{255, 255, 255, 255};
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
  bool operator==(const TextStyle&) const = default;
};

// A text drawn from its baseline's left end in its colour; `rotated` turns it
// a quarter anticlockwise about that point (it then reads upwards).
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

// How a point is marked, centred on it and `radius` from it: a disc filled
// with the pen's colour and no outline (kDot); a circle (kRing), a square
// (kSquare), a triangle standing on its base (kTriangle), a diamond
// (kDiamond) or an upright cross (kCross), stroked with the pen.
enum class MarkKind { kDot, kRing, kSquare, kTriangle, kDiamond, kCross };

struct MarkStyle {
  MarkKind kind = MarkKind::kDot;
  double radius = 1;
  Pen pen;
};

// The primitives. A line joins its points in order (exactly two: a segment),
// drawn only inside `clip` when it has one; a box is stroked with its pen over
// its fill, if any; a mark is centred on its point.
struct Line {
  std::vector<Point> points;
  Pen pen;
  std::optional<Rect> clip;
};

struct Box {
  Rect rect;
  Pen pen;
  std::optional<Colour> fill;
};

struct Mark {
  Point at;
  MarkStyle style;
};

// The items between a Group and its EndGroup belong together (one count's
// line, label and ring, say): the group sets its text style as the painter's
// font, and the painter's state returns at its end to what it was before.
struct Group {
  TextStyle style;
};

struct EndGroup {};

using Item = std::variant<Line, Box, Mark, Text, Group, EndGroup>;

// A whole plot: `width` x `height` design pixels erased to `background`, then
// the items painted in order, starting in the base text style.
struct Figure {
  double width = 0, height = 0;
  Colour background = kBackground;
  std::vector<Item> items;
};

}  // namespace scene::plot
