#include "PainterSurface.h"

#include <QPainterPath>

namespace surface {

QColor ToQColor(drawing::Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

PainterSurface::PainterSurface(int width, int height, QColor background)
    : width_(width), height_(height), background_(background) {}

QPen PainterSurface::Pen(drawing::Colour colour) const {
  QPen pen(ToQColor(colour), drawWidth_ < 1 ? 1 : drawWidth_);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::BevelJoin);
  return pen;
}

void PainterSurface::FlushPolyline() {
  if (polyline_.size() > 1) {
    QPainter& p = Painter();
    p.setPen(Pen(foreColor_));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(polyline_);
  }
  polyline_.clear();
}

void PainterSurface::ForeColor(drawing::Colour colour) {
  FlushPolyline();
  foreColor_ = colour;
}

void PainterSurface::DrawWidth(int width) {
  FlushPolyline();
  drawWidth_ = width;
}

void PainterSurface::FillStyle(int style) { fillStyle_ = style; }

void PainterSurface::Circle(float x, float y, float radius) {
  FlushPolyline();
  QPainter& p = Painter();
  p.setPen(Pen(foreColor_));
  p.setBrush(fillStyle_ == drawing::kFillSolid ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
  p.drawEllipse(QPointF(x, y), radius, radius);
}

void PainterSurface::Line(float x1, float y1, float x2, float y2, drawing::Colour colour) {
  FlushPolyline();
  QPainter& p = Painter();
  p.setPen(Pen(colour));
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterSurface::PolyBezier(std::span<const geometry::IntPoint, 4> points) {
  FlushPolyline();
  QPainterPath path(QPointF(points[0].x, points[0].y));
  path.cubicTo(QPointF(points[1].x, points[1].y), QPointF(points[2].x, points[2].y),
               QPointF(points[3].x, points[3].y));
  QPainter& p = Painter();
  p.setPen(Pen(foreColor_));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void PainterSurface::MoveTo(std::int32_t x, std::int32_t y) {
  FlushPolyline();
  pen_ = {x, y};
}

void PainterSurface::LineTo(std::int32_t x, std::int32_t y) {
  // A segment to the point where the pen stands adds nothing to the picture.
  if (polyline_.isEmpty()) polyline_.append(QPoint(pen_.x, pen_.y));
  if (polyline_.last() != QPoint(x, y)) polyline_.append(QPoint(x, y));
  pen_ = {x, y};
}

}  // namespace surface
