#include "VectorSurface.h"

namespace surface {

namespace {

// The drawing area is measured in pixels at 96 dots per inch.
constexpr int kDotsPerInch = 96;

}  // namespace

VectorSurface::VectorSurface(int width, int height, QColor background, QIODevice* output,
                             const QString& title)
    : PainterSurface(width, height, background) {
  generator_.setOutputDevice(output);
  generator_.setSize(QSize(width, height));
  generator_.setViewBox(QRect(0, 0, width, height));
  generator_.setResolution(kDotsPerInch);
  generator_.setTitle(title);
}

VectorSurface::~VectorSurface() { Finish(); }

QPainter& VectorSurface::Painter() {
  if (!painter_.isActive()) painter_.begin(&generator_);
  return painter_;
}

void VectorSurface::Finish() {
  if (finished_) return;
  FlushPolyline();
  if (!painter_.isActive()) Painter();
  painter_.end();
  finished_ = true;
}

void VectorSurface::Cls() {
  FlushPolyline();
  Painter().fillRect(QRect(0, 0, Width(), Height()), Background());
}

}  // namespace surface
