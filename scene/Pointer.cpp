// The pointer's rules on the drawing area, and the window's texts that follow
// the pointer and the scroll bar.

#include "Pointer.h"

#include <string>

#include "Arithmetic.h"

namespace scene {

void ButtonDown(const std::array<geometry::IntPoint, 4>& P, std::int32_t& grabIndex, float x,
                float y) {
  for (int i = 0; i <= 3; ++i) {
    const double dy = geometry::Checked(static_cast<double>(y) - P[i].y);
    const double dx = geometry::Checked(static_cast<double>(x) - P[i].x);
    const double s = geometry::Checked(dx * dx + dy * dy);
    if (s < kGrabSquared) grabIndex = i;
  }
}

int NearestWithin(const std::array<geometry::IntPoint, 4>& P, double x, double y, double reach) {
  int nearest = -1;
  double best = reach * reach;
  for (int i = 0; i <= 3; ++i) {
    const double dx = x - P[static_cast<std::size_t>(i)].x;
    const double dy = y - P[static_cast<std::size_t>(i)].y;
    const double s = dx * dx + dy * dy;
    if (s <= best) {
      best = s;
      nearest = i;
    }
  }
  return nearest;
}

geometry::IntPoint PointerPixel(float x, float y) {
  const std::int32_t cx = geometry::RoundToInt32(x);
  const std::int32_t cy = geometry::RoundToInt32(y);
  return {cx, cy};
}

void MoveGrabbed(std::array<geometry::IntPoint, 4>& P, std::int32_t grabIndex,
                 geometry::IntPoint at, float width, float height) {
  geometry::CheckSubscript(P.size(), static_cast<std::size_t>(grabIndex) + 1);
  geometry::IntPoint& point = P[static_cast<std::size_t>(grabIndex)];
  point = at;
  if (point.x < kMargin) point.x = kMargin;
  if (point.y < kMargin) point.y = kMargin;
  const double right = geometry::Checked(static_cast<double>(width) - kMargin);
  if (point.x > right) point.x = geometry::RoundToInt32(right);
  const double bottom = geometry::Checked(static_cast<double>(height) - kMargin);
  if (point.y > bottom) point.y = geometry::RoundToInt32(bottom);
}

bool ButtonUp(std::int32_t& grabIndex) {
  if (grabIndex < 0) return false;
  grabIndex = -1;
  return true;
}

std::string DistanceText(int distance) {
  return i18n::Tr(kDistanceTextPrefix) + std::to_string(distance);
}

std::string PointerCaption(std::int32_t cx, std::int32_t cy) {
  return i18n::Tr(kPointerCaptionPrefix) + std::to_string(cx) + "," + std::to_string(cy) + ")";
}

}  // namespace scene
