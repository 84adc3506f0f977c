#include "VectorSurface.h"

#include <QFont>
#include <QRegularExpression>

namespace surface {

namespace {

// The resolution a pixel has on a screen that Qt counts at 96 dots per inch;
// it fixes the generator's size in millimetres, replaced by pixels at the end.
constexpr int kDotsPerInch = 96;

// The scene draws no text, but the generator writes the painter's font into
// every group. Without a GUI application the default font has no size, which
// would come out as a negative font-size; a plain 9-point sans-serif (12 user
// units) keeps the document valid.
constexpr int kFontPointSize = 9;

}  // namespace

void DeclarePixelSize(QByteArray& document, QSize pixels) {
  // The generator can only state its size in millimetres at its resolution;
  // the root element's size becomes pixels instead.
  static const QRegularExpression size(QStringLiteral(R"( width="[^"]*" height="[^"]*")"));
  const QString declared =
      QStringLiteral(R"( width="%1" height="%2")").arg(pixels.width()).arg(pixels.height());
  const qsizetype root = document.indexOf("<svg");
  const QRegularExpressionMatch match = size.match(QString::fromLatin1(document.mid(root, 200)));
  if (root >= 0 && match.hasMatch()) {
    document.replace(root + match.capturedStart(), match.capturedLength(), declared.toLatin1());
  }
}

VectorSurface::VectorSurface(int width, int height, int scale, QColor background, QIODevice* output,
                             const QString& title)
    : PainterSurface(width, height, background),
      output_(output),
      pixels_(width * scale, height * scale) {
  buffer_.open(QIODevice::WriteOnly);
  generator_.setOutputDevice(&buffer_);
  generator_.setSize(pixels_);
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
  DeclarePixelSize(document_, pixels_);
  output_->write(document_);
}

void VectorSurface::Cls() {
  FlushPolyline();
  Painter().fillRect(QRect(0, 0, Width(), Height()), Background());
}

}  // namespace surface
