#include "FanOutSurface.h"

namespace drawing {

void FanOutSurface::Cls() {
  for (drawing::DrawingSurface* t : targets_) t->Cls();
}

void FanOutSurface::ForeColor(drawing::Colour colour) {
  for (drawing::DrawingSurface* t : targets_) t->ForeColor(colour);
}

void FanOutSurface::DrawWidth(int width) {
  for (drawing::DrawingSurface* t : targets_) t->DrawWidth(width);
}

void FanOutSurface::FillStyle(int style) {
  for (drawing::DrawingSurface* t : targets_) t->FillStyle(style);
}

void FanOutSurface::Circle(float x, float y, float radius) {
  for (drawing::DrawingSurface* t : targets_) t->Circle(x, y, radius);
}

void FanOutSurface::Line(float x1, float y1, float x2, float y2, drawing::Colour colour) {
  for (drawing::DrawingSurface* t : targets_) t->Line(x1, y1, x2, y2, colour);
}

void FanOutSurface::PolyBezier(std::span<const geometry::IntPoint, 4> points) {
  for (drawing::DrawingSurface* t : targets_) t->hDC()->PolyBezier(points);
}

void FanOutSurface::MoveTo(std::int32_t x, std::int32_t y) {
  pen_ = {x, y};
  for (drawing::DrawingSurface* t : targets_) t->hDC()->MoveTo(x, y);
}

void FanOutSurface::LineTo(std::int32_t x, std::int32_t y) {
  pen_ = {x, y};
  for (drawing::DrawingSurface* t : targets_) t->hDC()->LineTo(x, y);
}

}  // namespace drawing
