#pragma once

// What the offset plot's panels (OffsetLayout.cpp) and its texts
// (OffsetLayoutText.cpp) share: the colours and marks the legend explains, the
// heading with its legend, the bottom panel's title and the caption. Private
// to scene/.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "IntPoint.h"
#include "OffsetStudy.h"
#include "PlotFigure.h"

namespace scene::plot {

// The drawn yellow curve (darker than the window's yellow, to show on white)
// and the curves of 2, 4 and 8 pieces (geometry::kStudyPlotPieces).
inline constexpr Colour kDrawnColour{0xC8, 0x96, 0x00};
inline constexpr std::array<Colour, 3> kPieceColours{
    {{0xD0, 0x40, 0x30}, {0x70, 0x40, 0xC0}, {0x10, 0x80, 0x70}}};
inline constexpr Colour kFactorColour{0x20, 0x40, 0xA0};
inline constexpr Colour kFloorColour{0x70, 0x70, 0x70};
inline constexpr Colour kBackwardsFill{0xFF, 0xDC, 0xDC};
inline constexpr MarkStyle kCuspMark{MarkKind::kCross, 5, {{0xD0, 0x20, 0x20}, 1.5}};
inline constexpr MarkStyle kZeroTangentMark{MarkKind::kSquare, 4, {{0x40, 0x40, 0x40}, 1.5}};

// One entry of the legend: a sample (a line, a mark or a shaded box) and its
// text, placed from the heading's top left.
struct HeadingEntry {
  std::optional<Pen> line;
  std::optional<MarkStyle> mark;
  std::optional<Colour> fill;
  std::string text;
  Point at;  // the sample's left end on the row's middle
};

// The top panel's title, broken to the width, and the legend flowing after
// it in rows; `height` is all its rows'.
struct Heading {
  std::vector<std::string> title;
  std::vector<HeadingEntry> entries;
  double height = 0;
};

Heading TopHeading(double width, const Measure& measure);
void AddHeading(Figure& figure, const Heading& heading, double left, double top,
                const Measure& measure);

// The bottom panel's title, broken to the width.
std::vector<std::string> BottomTitle(double width, const Measure& measure);

// The state, the distance and the fewest pieces for each target, wrapped to
// the width (a piece wider than that broken too).
std::vector<std::string> CaptionLines(const std::array<geometry::IntPoint, 4>& P,
                                      const geometry::OffsetStudy& study, double width,
                                      const Measure& measure);

}  // namespace scene::plot
