#include "DrawingSurface.h"

namespace drawing {

bool PolyBezier(HDC hdc, const geometry::IntPoint* apt, std::uint32_t cpt) {
  if (hdc == nullptr || apt == nullptr || cpt < 4 || (cpt - 1) % 3 != 0) return false;
  for (std::uint32_t k = 0; k + 3 < cpt; k += 3) {
    hdc->PolyBezier(std::span<const geometry::IntPoint, 4>(apt + k, 4));
  }
  return true;
}

bool MoveToEx(HDC hdc, std::int32_t x, std::int32_t y, geometry::IntPoint* previous) {
  if (hdc == nullptr) return false;
  if (previous != nullptr) *previous = hdc->PenPosition();
  hdc->MoveTo(x, y);
  return true;
}

bool LineTo(HDC hdc, std::int32_t x, std::int32_t y) {
  if (hdc == nullptr) return false;
  hdc->LineTo(x, y);
  return true;
}

}  // namespace drawing
