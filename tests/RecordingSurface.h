#pragma once

// A drawing surface that draws nothing and logs every call instead: the
// operation, its arguments and the pen (colour, width, fill style) it meets.
// Redirect a window's drawing area to it to check what a redraw draws and in
// which order.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "DrawingSurface.h"

namespace testing_support {

struct Call {
  std::string op;
  std::vector<double> args;
  drawing::Colour colour;  // pen state when the call was made
  int width;
  int fill;
};

class RecordingSurface final : public drawing::DrawingSurface, public drawing::DeviceContext {
 public:
  std::vector<Call> calls;
  // Called after each call is logged, e.g. to look at the window meanwhile.
  std::function<void(const Call&)> onCall;

  void Clear() { calls.clear(); }
  std::size_t Count(const std::string& op) const {
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.op == op; }));
  }
  // The calls that draw something (or erase), without the pen settings.
  std::vector<Call> Drawing() const {
    std::vector<Call> out;
    for (const Call& c : calls) {
      if (c.op != "ForeColor" && c.op != "DrawWidth" && c.op != "FillStyle") out.push_back(c);
    }
    return out;
  }

  void Cls() override { Log("Cls", {}); }
  void ForeColor(drawing::Colour colour) override {
    colour_ = colour;
    Log("ForeColor", {1.0 * colour});
  }
  void DrawWidth(int width) override {
    width_ = width;
    Log("DrawWidth", {1.0 * width});
  }
  void FillStyle(int style) override {
    fill_ = style;
    Log("FillStyle", {1.0 * style});
  }
  void Circle(float x, float y, float radius) override { Log("Circle", {x, y, radius}); }
  void Line(float x1, float y1, float x2, float y2, drawing::Colour colour) override {
    Log("Line", {x1, y1, x2, y2, 1.0 * colour});
  }
  drawing::HDC hDC() override { return this; }
  float ScaleWidth() const override { return 260; }
  float ScaleHeight() const override { return 260; }

  void PolyBezier(std::span<const geometry::IntPoint, 4> points) override {
    std::vector<double> args;
    for (const geometry::IntPoint& p : points) args.insert(args.end(), {1.0 * p.x, 1.0 * p.y});
    Log("PolyBezier", std::move(args));
  }
  void MoveTo(std::int32_t x, std::int32_t y) override {
    pen_ = {x, y};
    Log("MoveToEx", {1.0 * x, 1.0 * y});
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    pen_ = {x, y};
    Log("LineTo", {1.0 * x, 1.0 * y});
  }
  geometry::IntPoint PenPosition() const override { return pen_; }

 private:
  void Log(const char* op, std::vector<double> args) {
    calls.push_back({op, std::move(args), colour_, width_, fill_});
    if (onCall) onCall(calls.back());
  }

  // Deliberately odd start values, so that a redraw that forgets to set the
  // pen shows up.
  drawing::Colour colour_ = 0x123456;
  int width_ = 7;
  int fill_ = 7;
  geometry::IntPoint pen_{0, 0};
};

}  // namespace testing_support
