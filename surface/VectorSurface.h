#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QSvgGenerator>

#include "PainterSurface.h"

namespace surface {

// A drawing surface that records the scene as an SVG document: a viewBox of
// width x height user units, one user unit per pixel of the drawing area, so
// the file shows the same picture as the window at any size. The document
// declares its size in pixels, width x height times `scale`, which every
// viewer draws alike (a size in millimetres depends on the dots per inch the
// viewer assumes). Curves stay cubic Bézier path segments and polylines stay
// polylines. Cls paints the background over the whole area.
// Declares the size of the SVG document `document`, written by a
// QSvgGenerator, as `pixels` instead of the generator's millimetres.
void DeclarePixelSize(QByteArray& document, QSize pixels);

class VectorSurface final : public PainterSurface {
 public:
  // The document goes to `output` (not owned), which must outlive Finish.
  VectorSurface(int width, int height, int scale, QColor background, QIODevice* output,
                const QString& title);
  ~VectorSurface() override;

  // Ends the document: everything drawn so far is written to the output
  // (which is then not closed).
  // Nothing can be drawn afterwards.
  void Finish();

  void Cls() override;

 protected:
  QPainter& Painter() override;

 private:
  QByteArray document_;
  QBuffer buffer_{&document_};
  QIODevice* output_;
  QSize pixels_;
  QSvgGenerator generator_;
  QPainter painter_;
  bool finished_ = false;
};

}  // namespace surface
