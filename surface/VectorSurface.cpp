#include "VectorSurface.h"

#include <QFont>

namespace surface {

namespace {

// The drawing area is measured in pixels at 96 dots per inch.
constexpr int kDotsPerInch = 96;

// The scene draws no text, but the generator writes the painter's font into
// every group. Without a GUI application the default font has no size, which
// would come out as a negative font-size; a plain 9-point sans-serif (12 user
// units) keeps the document valid.
constexpr int kFontPointSize = 9;

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
  if (!painter_.isActive()) {
    painter_.begin(&generator_);
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(kFontPointSize);
    painter_.setFont(font);
  }
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
