#pragma once

// A drawing surface that keeps what the scene draws as a flat list of numbers
// for the page's canvas to replay: per call its operation, the pen it meets
// (colour, width, fill style) and its arguments. The page reads the list
// straight from the WebAssembly memory.

#include <cstdint>
#include <span>
#include <vector>

#include "DrawingSurface.h"

namespace web {

// Operation codes, each followed by colour, width and fill, then its arguments.
enum class Op : int {
  kCls = 0,         // no arguments
  kCircle = 1,      // x, y, radius
  kLine = 2,        // x1, y1, x2, y2, colour of the segment
  kPolyBezier = 3,  // x0, y0 .. x3, y3
  kMoveTo = 4,      // x, y
  kLineTo = 5,      // x, y
};

class Recorder final : public drawing::DrawingSurface, public drawing::DeviceContext {
 public:
  // The calls since the last Clear.
  const std::vector<double>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

  void Cls() override;
  void ForeColor(drawing::Colour colour) override { colour_ = colour; }
  void DrawWidth(int width) override { width_ = width; }
  void FillStyle(int style) override { fill_ = style; }
  void Circle(float x, float y, float radius) override;
  void Line(float x1, float y1, float x2, float y2, drawing::Colour colour) override;
  drawing::HDC hDC() override { return this; }
  float ScaleWidth() const override;
  float ScaleHeight() const override;

  void PolyBezier(std::span<const geometry::IntPoint, 4> points) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  geometry::IntPoint PenPosition() const override { return pen_; }

 private:
  void Begin(Op op);

  std::vector<double> calls_;
  drawing::Colour colour_ = 0;
  int width_ = 1;
  int fill_ = drawing::kFillTransparent;
  geometry::IntPoint pen_{0, 0};
};

}  // namespace web
