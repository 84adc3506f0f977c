#pragma once

// The drawing area as the program sees it: a pixel surface with a current pen
// (colour, width, fill style) that keeps its picture until the next Cls, and a
// device context for the three device calls PolyBezier, MoveToEx and LineTo,
// which draw with the same current colour and width.

#include <cstdint>
#include <span>

#include "IntPoint.h"

namespace drawing {

// 32-bit colour: red + 256·green + 65536·blue (0xBBGGRR).
using Colour = std::uint32_t;

inline constexpr int kFillSolid = 0;
inline constexpr int kFillTransparent = 1;

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  virtual void PolyBezier(std::span<const geometry::IntPoint, 4> points) = 0;
  virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
  virtual geometry::IntPoint PenPosition() const = 0;
};

using HDC = DeviceContext*;

// The device calls. PolyBezier takes one start point and three points per
// segment; the program always passes four. The results report whether the
// call was well formed; the program does not examine them.
bool PolyBezier(HDC hdc, const geometry::IntPoint* apt, std::uint32_t cpt);
bool MoveToEx(HDC hdc, std::int32_t x, std::int32_t y, geometry::IntPoint* previous);
bool LineTo(HDC hdc, std::int32_t x, std::int32_t y);

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // Erase to the background colour. The pen state stays as it was.
  virtual void Cls() = 0;
  virtual void ForeColor(Colour colour) = 0;
  virtual void DrawWidth(int width) = 0;
  // kFillSolid fills circles black, kFillTransparent draws outlines only.
  virtual void FillStyle(int style) = 0;
  virtual void Circle(float x, float y, float radius) = 0;
  // A segment in the given colour and the current width.
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
  virtual HDC hDC() = 0;
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
};

}  // namespace drawing
