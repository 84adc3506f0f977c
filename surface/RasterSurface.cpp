#include "RasterSurface.h"

namespace surface {

RasterSurface::RasterSurface(int width, int height, qreal devicePixelRatio, QColor background)
    : PainterSurface(width, height, background),
      image_(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio),
             QImage::Format_RGB32) {
  image_.setDevicePixelRatio(devicePixelRatio);
  image_.fill(background);
}

RasterSurface::~RasterSurface() {
  if (painter_.isActive()) painter_.end();
}

QPainter& RasterSurface::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
  }
  return painter_;
}

const QImage& RasterSurface::Picture() {
  FlushPolyline();
  if (painter_.isActive()) painter_.end();
  return image_;
}

void RasterSurface::Cls() {
  FlushPolyline();
  if (painter_.isActive()) painter_.end();
  image_.fill(Background());
  if (changed_) changed_();
}

}  // namespace surface
