#pragma once

// The offset study's plot: why the yellow curve leaves the true offset curve,
// where, and how splitting mends it, in the 640 x 400 design's units, decided
// here once as a list of primitives (PlotFigure.h) that every front end paints
// alike. Top: h(u), the distance from the yellow curve to the true offset
// curve, on a log scale, for the drawn curve and for 2, 4 and 8 pieces, the
// band under the measure's 0.01 px grey. Bottom: the factor 1 + dist·κ(t)
// that scales the yellow handles, with its zero line; where it is negative
// (the true offset curve runs backwards) both panels are shaded. The cusps and
// zero tangents are marked on both; a caption gives the state, the distance and
// the fewest pieces for 0.5 and 0.1 px, wrapped to fit in the labels' font.
// No Qt.

#include <array>
#include <string>
#include <vector>

#include "IntPoint.h"
#include "OffsetStudy.h"
#include "PlotFigure.h"

namespace scene::plot {

struct OffsetLayout {
  Figure figure;
  Rect top, bottom;           // the two panels' plotting areas
  std::vector<Text> caption;  // wrapped to fit the width
};

// The plot of `study` (the offset study of P at its distance) over a logical
// size of `width` x `height` (at least 640 x 400 in one direction, the other
// one larger or equal).
OffsetLayout LayOutOffsets(const std::array<geometry::IntPoint, 4>& P,
                           const geometry::OffsetStudy& study, double width, double height,
                           const Measure& measure);

// `text` broken into lines no wider than `width` in the base style: after the
// last space that fits, or else between two characters.
std::vector<std::string> BreakText(const std::string& text, double width, const Measure& measure);

}  // namespace scene::plot
