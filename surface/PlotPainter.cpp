#include "PlotPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPolygonF>
#include <QSvgGenerator>
#include <algorithm>
#include <variant>
#include <vector>

#include "Fonts.h"
#include "VectorSurface.h"

namespace surface {

namespace {

namespace plot = scene::plot;

// Walks the items, keeping the font of the last text so that a run of texts
// in one style sets it once.
class Walker {
 public:
  explicit Walker(QPainter& painter) : painter_(painter) {}

  void operator()(const plot::Line& line) {
    if (line.clip) {
      painter_.save();
      painter_.setClipRect(ToQt(*line.clip));
    }
    painter_.setPen(ToQt(line.pen));
    painter_.setBrush(Qt::NoBrush);
    if (line.points.size() == 2) {
      painter_.drawLine(ToQt(line.points[0]), ToQt(line.points[1]));
    } else {
      QPolygonF polyline;
      for (const plot::Point& point : line.points) polyline << ToQt(point);
      painter_.drawPolyline(polyline);
    }
    if (line.clip) painter_.restore();
  }

  void operator()(const plot::Box& box) {
    painter_.setPen(ToQt(box.pen));
    painter_.setBrush(box.fill ? QBrush(ToQt(*box.fill)) : QBrush(Qt::NoBrush));
    painter_.drawRect(ToQt(box.rect));
  }

  void operator()(const plot::Mark& mark) {
    const plot::MarkStyle& style = mark.style;
    const QPointF at = ToQt(mark.at);
    const double r = style.radius;
    if (style.kind == plot::MarkKind::kDot) {
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(ToQt(style.pen.colour));
      painter_.drawEllipse(at, r, r);
      return;
    }
    painter_.setPen(ToQt(style.pen));
    painter_.setBrush(Qt::NoBrush);
    switch (style.kind) {
      case plot::MarkKind::kDot:
      case plot::MarkKind::kRing:
        painter_.drawEllipse(at, r, r);
        break;
      case plot::MarkKind::kSquare:
        painter_.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
        break;
      case plot::MarkKind::kTriangle:
        painter_.drawPolygon(QPolygonF{{at.x(), at.y() - r},
                                       {at.x() + r * 0.866, at.y() + r / 2},
                                       {at.x() - r * 0.866, at.y() + r / 2}});
        break;
      case plot::MarkKind::kDiamond:
        painter_.drawPolygon(QPolygonF{{at.x(), at.y() - r},
                                       {at.x() + r, at.y()},
                                       {at.x(), at.y() + r},
                                       {at.x() - r, at.y()}});
        break;
      case plot::MarkKind::kCross:
        painter_.drawLine(QPointF(at.x() - r, at.y()), QPointF(at.x() + r, at.y()));
        painter_.drawLine(QPointF(at.x(), at.y() - r), QPointF(at.x(), at.y() + r));
        break;
    }
  }

  void operator()(const plot::Group& group) {
    outer_.push_back(font_);
    painter_.save();
    painter_.setFont(PlotFont(group.style));
    font_ = group.style;
  }

  void operator()(const plot::EndGroup& /*end*/) {
    if (outer_.empty()) return;
    painter_.restore();
    font_ = outer_.back();
    outer_.pop_back();
  }

  void operator()(const plot::Text& text) {
    if (!(text.style == font_)) {
      painter_.setFont(PlotFont(text.style));
      font_ = text.style;
    }
    painter_.setPen(ToQt(text.colour));
    const QString shown = QString::fromStdString(text.text);
    if (!text.rotated) {
      painter_.drawText(ToQt(text.at), shown);
      return;
    }
    painter_.save();
    painter_.translate(ToQt(text.at));
    painter_.rotate(-90);
    painter_.drawText(QPointF(0, 0), shown);
    painter_.restore();
  }

  // Closes the groups an unfinished figure left open.
  void Finish() {
    while (!outer_.empty()) (*this)(plot::EndGroup{});
  }

 private:
  QPainter& painter_;
  plot::TextStyle font_;
  std::vector<plot::TextStyle> outer_;  // the fonts outside the open groups
};

}  // namespace

QPen ToQt(const plot::Pen& pen) {
  QPen qt(ToQt(pen.colour), pen.width, Qt::SolidLine);
  if (pen.dashed) qt.setDashPattern({plot::kDashPattern[0], plot::kDashPattern[1]});
  return qt;
}

QFont PlotFont(plot::TextStyle style) {
  QFont font = JapaneseFont(style.pixels);
  if (style.bold) font.setBold(true);
  return font;
}

plot::Measure PlotMeasure() {
  return {[](const std::string& text, plot::TextStyle style) {
            return QFontMetricsF(PlotFont(style)).horizontalAdvance(QString::fromStdString(text));
          },
          [](plot::TextStyle style) { return QFontMetricsF(PlotFont(style)).height(); },
          [](plot::TextStyle style) { return QFontMetricsF(PlotFont(style)).ascent(); }};
}

void PaintFigure(QPainter& painter, const plot::Figure& figure) {
  painter.fillRect(QRectF(0, 0, figure.width, figure.height), ToQt(figure.background));
  painter.setFont(PlotFont({}));
  Walker walker(painter);
  for (const plot::Item& item : figure.items) std::visit(walker, item);
  walker.Finish();
}

void PaintFitted(QPainter& painter, QSizeF size, const LayOutFigure& layOut) {
  const double scale = std::min(size.width() / plot::kWidth, size.height() / plot::kHeight);
  if (!(scale > 0)) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  const QSizeF logical = size / scale;
  PaintFigure(painter, layOut(logical.width(), logical.height()));
  painter.restore();
}

QByteArray FigurePng(const LayOutFigure& layOut, int scale) {
  QImage image(plot::kWidth * scale, plot::kHeight * scale, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PaintFitted(painter, image.size(), layOut);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray FigureSvg(const LayOutFigure& layOut, int scale, const QString& title) {
  constexpr int kDotsPerInch = 96;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  // Like the scene's SVG: the same drawing in 640 x 400 user units, only its
  // width and height are `scale` times larger.
  generator.setSize(QSize(plot::kWidth * scale, plot::kHeight * scale));
  generator.setViewBox(QRect(0, 0, plot::kWidth, plot::kHeight));
  generator.setResolution(kDotsPerInch);
  generator.setTitle(title);
  {
    QPainter painter(&generator);
    if (!painter.isActive()) return {};
    PaintFitted(painter, QSizeF(plot::kWidth, plot::kHeight), layOut);
  }
  DeclarePixelSize(bytes, generator.size());
  return bytes;
}

}  // namespace surface
