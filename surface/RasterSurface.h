#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <functional>

#include "DrawingSurface.h"

namespace surface {

// A drawing surface that keeps its picture in an image until the next Cls,
// whether or not anything shows it. The image has `devicePixelRatio` device
// pixels per logical pixel, so a HiDPI screen gets curves at full resolution
// while every coordinate stays in logical pixels.
//
// Consecutive LineTo calls are gathered into one polyline and drawn when
// anything else happens, which keeps the 500 segments of an offset curve
// cheap without changing the picture.
class RasterSurface final : public DrawingSurface, public DeviceContext {
 public:
  RasterSurface(int width, int height, qreal devicePixelRatio, QColor background);
  ~RasterSurface() override;

  // The retained picture, with everything drawn so far.
  const QImage& Picture();
  // Called after every Cls, so that a view can schedule a repaint.
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }

  void Cls() override;
  void ForeColor(Colour colour) override;
  void DrawWidth(int width) override;
  void FillStyle(int style) override;
  void Circle(float x, float y, float radius) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  HDC hDC() override { return this; }
  float ScaleWidth() const override { return static_cast<float>(width_); }
  float ScaleHeight() const override { return static_cast<float>(height_); }

  void PolyBezier(std::span<const geometry::IntPoint, 4> points) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  geometry::IntPoint PenPosition() const override { return pen_; }

 private:
  QPainter& Painter();
  void FlushPolyline();
  QPen Pen(Colour colour) const;

  int width_;
  int height_;
  QColor background_;
  QImage image_;
  QPainter painter_;
  Colour foreColor_ = 0;
  int drawWidth_ = 1;
  int fillStyle_ = kFillTransparent;
  geometry::IntPoint pen_{0, 0};
  QPolygon polyline_;
  std::function<void()> changed_;
};

QColor ToQColor(Colour colour);

}  // namespace surface
