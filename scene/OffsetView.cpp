#include "OffsetView.h"

#include <charconv>
#include <cmath>
#include <exception>

#include "Report.h"
#include "Tr.h"

namespace scene {

namespace {

using i18n::Format;
using i18n::Tr;

// The rings: a dark outline this wide under the coloured ring.
constexpr int kOutlineWidth = 4;
constexpr int kRingWidth = 2;

// A(u) of the cubic with control points Q, in Bernstein form.
ViewPoint PointOn(const std::array<IntPoint, 4>& Q, double u) {
  const double v = 1 - u;
  const double b[4] = {v * v * v, 3 * u * v * v, 3 * u * u * v, u * u * u};
  ViewPoint p;
  for (int i = 0; i < 4; ++i) {
    p.x += b[i] * Q[i].x;
    p.y += b[i] * Q[i].y;
  }
  return p;
}

void Ring(drawing::DrawingSurface& surface, ViewPoint at, float radius, drawing::Colour colour) {
  const auto x = static_cast<float>(at.x);
  const auto y = static_cast<float>(at.y);
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  surface.FillStyle(drawing::kFillTransparent);
  surface.ForeColor(kCurveColour);
  surface.DrawWidth(kOutlineWidth);
  surface.Circle(x, y, radius);
  surface.ForeColor(colour);
  surface.DrawWidth(kRingWidth);
  surface.Circle(x, y, radius);
}

std::string Fixed(double v, int digits) {
  return std::isfinite(v) ? FormatDouble(v, std::chars_format::fixed, digits) : Tr("不明");
}

}  // namespace

OffsetMarks MarksOf(const geometry::OffsetStudy& study) {
  OffsetMarks marks;
  for (const geometry::OffsetCusp& c : study.cusps) marks.cusps.push_back({c.x, c.y});
  if (study.drawn && study.asDrawn) marks.worst = PointOn(*study.drawn, study.asDrawn->u);
  return marks;
}

void DrawOffsetView(const State& state, const geometry::OffsetStudy& study,
                    drawing::DrawingSurface& surface) {
  Draw(state, surface);
  try {
    const OffsetMarks marks = MarksOf(study);
    for (const ViewPoint& c : marks.cusps) Ring(surface, c, kCuspRingRadius, kAccurateColour);
    if (marks.worst) Ring(surface, *marks.worst, kWorstRingRadius, kApproximateColour);
  } catch (const std::exception&) {
    // A mark that cannot be drawn is left out, as a failing step of the scene.
  }
}

std::string OffsetViewDescription(const geometry::OffsetStudy& study) {
  std::string text;
  if (study.cusps.empty()) {
    text = Tr("青の曲線に尖点はありません。");
  } else {
    std::string ts;
    for (const geometry::OffsetCusp& c : study.cusps) {
      if (!ts.empty()) ts += Tr("、");
      ts += Fixed(c.t, 4);
    }
    text = Format(Tr("青の曲線の尖点 %1 個（t = %2）。"), {std::to_string(study.cusps.size()), ts});
  }
  const OffsetMarks marks = MarksOf(study);
  if (marks.worst) {
    text +=
        Format(Tr("黄の曲線のずれが最大の点 (%1, %2)、ずれ %3"),
               {Fixed(marks.worst->x, 1), Fixed(marks.worst->y, 1), Fixed(study.asDrawn->max, 4)});
  } else {
    text += Tr("黄の曲線は描かれていません");
  }
  return text;
}

}  // namespace scene
