#include "Recorder.h"

#include "Pointer.h"

namespace web {

void Recorder::Begin(Op op) {
  calls_.insert(calls_.end(), {static_cast<double>(op), static_cast<double>(colour_),
                               static_cast<double>(width_), static_cast<double>(fill_)});
}

void Recorder::Cls() { Begin(Op::kCls); }

void Recorder::Circle(float x, float y, float radius) {
  Begin(Op::kCircle);
  calls_.insert(calls_.end(), {x, y, radius});
}

void Recorder::Line(float x1, float y1, float x2, float y2, drawing::Colour colour) {
  Begin(Op::kLine);
  calls_.insert(calls_.end(), {x1, y1, x2, y2, static_cast<double>(colour)});
}

float Recorder::ScaleWidth() const { return scene::kAreaSize; }
float Recorder::ScaleHeight() const { return scene::kAreaSize; }

void Recorder::PolyBezier(std::span<const geometry::IntPoint, 4> points) {
  Begin(Op::kPolyBezier);
  for (const geometry::IntPoint& p : points) {
    calls_.insert(calls_.end(), {static_cast<double>(p.x), static_cast<double>(p.y)});
  }
}

void Recorder::MoveTo(std::int32_t x, std::int32_t y) {
  pen_ = {x, y};
  Begin(Op::kMoveTo);
  calls_.insert(calls_.end(), {static_cast<double>(x), static_cast<double>(y)});
}

void Recorder::LineTo(std::int32_t x, std::int32_t y) {
  pen_ = {x, y};
  Begin(Op::kLineTo);
  calls_.insert(calls_.end(), {static_cast<double>(x), static_cast<double>(y)});
}

}  // namespace web
