#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "DrawingSurface.h"

namespace drawing {

// A drawing surface that hands every operation on to any number of others, so
// that one run of the scene draws the PNG and the SVG alike. With no targets
// it draws nothing at all: the scene still runs every step, which is all a
// report needs.
class FanOutSurface final : public drawing::DrawingSurface, public drawing::DeviceContext {
 public:
  FanOutSurface(float width, float height) : width_(width), height_(height) {}

  void Add(drawing::DrawingSurface& target) { targets_.push_back(&target); }

  void Cls() override;
  void ForeColor(drawing::Colour colour) override;
  void DrawWidth(int width) override;
  void FillStyle(int style) override;
  void Circle(float x, float y, float radius) override;
  void Line(float x1, float y1, float x2, float y2, drawing::Colour colour) override;
  drawing::HDC hDC() override { return this; }
  float ScaleWidth() const override { return width_; }
  float ScaleHeight() const override { return height_; }

  void PolyBezier(std::span<const geometry::IntPoint, 4> points) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  geometry::IntPoint PenPosition() const override { return pen_; }

 private:
  float width_;
  float height_;
  geometry::IntPoint pen_{0, 0};
  std::vector<drawing::DrawingSurface*> targets_;
};

}  // namespace drawing
