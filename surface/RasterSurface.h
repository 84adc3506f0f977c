#pragma once

#include <QImage>
#include <functional>

#include "PainterSurface.h"

namespace surface {

// A drawing surface that keeps its picture in an image until the next Cls,
// whether or not anything shows it. The image has `devicePixelRatio` device
// pixels per logical pixel, so a HiDPI screen gets curves at full resolution
// while every coordinate stays in logical pixels.
class RasterSurface final : public PainterSurface {
 public:
  RasterSurface(int width, int height, qreal devicePixelRatio, QColor background);
  ~RasterSurface() override;

  // The retained picture, with everything drawn so far.
  const QImage& Picture();
  // Called after every Cls, so that a view can schedule a repaint.
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }

  void Cls() override;

 protected:
  QPainter& Painter() override;

 private:
  QImage image_;
  QPainter painter_;
  std::function<void()> changed_;
};

}  // namespace surface
