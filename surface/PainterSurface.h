#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include "DrawingSurface.h"

namespace surface {

// The drawing operations of the drawing area and its device context, carried
// out with a QPainter on whatever device a subclass provides: the retained
// raster picture of the window, or a vector file.
//
// Pens have square ends and bevelled joins: on polylines of short segments
// they look like round ones and cost a third as much to stroke. Circles are
// filled black with the solid fill style. Consecutive LineTo calls are
// gathered into one polyline and drawn when anything else happens, which keeps
// the 500 segments of an offset curve cheap without changing the picture.
class PainterSurface : public drawing::DrawingSurface, public drawing::DeviceContext {
 public:
  PainterSurface(int width, int height, QColor background);
  PainterSurface(const PainterSurface&) = delete;
  PainterSurface& operator=(const PainterSurface&) = delete;
  ~PainterSurface() override = default;

  void ForeColor(drawing::Colour colour) override;
  void DrawWidth(int width) override;
  void FillStyle(int style) override;
  void Circle(float x, float y, float radius) override;
  void Line(float x1, float y1, float x2, float y2, drawing::Colour colour) override;
  drawing::HDC hDC() override { return this; }
  float ScaleWidth() const override { return static_cast<float>(width_); }
  float ScaleHeight() const override { return static_cast<float>(height_); }

  void PolyBezier(std::span<const geometry::IntPoint, 4> points) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  geometry::IntPoint PenPosition() const override { return pen_; }

 protected:
  // The painter on the subclass's device, active.
  virtual QPainter& Painter() = 0;
  // Draws the pending polyline, if any.
  void FlushPolyline();
  int Width() const { return width_; }
  int Height() const { return height_; }
  QColor Background() const { return background_; }

 private:
  QPen Pen(drawing::Colour colour) const;

  int width_;
  int height_;
  QColor background_;
  drawing::Colour foreColor_ = 0;
  int drawWidth_ = 1;
  int fillStyle_ = drawing::kFillTransparent;
  geometry::IntPoint pen_{0, 0};
  QPolygon polyline_;
};

QColor ToQColor(drawing::Colour colour);

}  // namespace surface
