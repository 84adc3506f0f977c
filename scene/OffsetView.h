#pragma once

// The curve view of the offset window (F3) and of the page's offset view: the
// scene drawn again at the drawing area's size, with the cusps of the true
// offset curve ringed in the blue curve's colour and the point of the yellow
// curve farthest from the true offset curve ringed in the yellow curve's
// colour, each ring with a dark outline so that it shows over any curve. The
// marks' places and a sentence for a screen reader come from the offset study
// of the same state. No Qt.

#include <optional>
#include <string>
#include <vector>

#include "DrawingSurface.h"
#include "OffsetStudy.h"
#include "Scene.h"

namespace scene {

// The rings' radii in the area's pixels: a cusp's and the worst point's.
inline constexpr float kCuspRingRadius = 5;
inline constexpr float kWorstRingRadius = 7;

struct ViewPoint {
  double x = 0, y = 0;
};

// What the view marks: the cusps' points, ascending in t, and where on the
// drawn yellow curve A(u) its deviation is largest (none when it has none).
struct OffsetMarks {
  std::vector<ViewPoint> cusps;
  std::optional<ViewPoint> worst;
};
OffsetMarks MarksOf(const geometry::OffsetStudy& study);

// Erases `surface` and draws the scene for `state`, then the marks of
// `study`, which must be the study of the same points and distance. A mark
// that fails is left out; no error leaves this function.
void DrawOffsetView(const State& state, const geometry::OffsetStudy& study,
                    drawing::DrawingSurface& surface);

// For a screen reader: how many cusps the view rings and where, and where the
// yellow curve's worst point lies, for example
// "尖点 2 個（t = 0.3033、0.6967）。黄の曲線のずれが最大の点 (102.5, 88.0)、ずれ 15.0000".
std::string OffsetViewDescription(const geometry::OffsetStudy& study);

}  // namespace scene
