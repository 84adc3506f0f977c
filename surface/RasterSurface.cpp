#include "RasterSurface.h"

#include <QPainterPath>

namespace surface {

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

RasterSurface::RasterSurface(int width, int height, qreal devicePixelRatio, QColor background)
    : width_(width),
      height_(height),
      background_(background),
      image_(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio),
             QImage::Format_RGB32) {
  image_.setDevicePixelRatio(devicePixelRatio);
  image_.fill(background_);
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

QPen RasterSurface::Pen(Colour colour) const {
  // Square ends and bevelled joins: on polylines of short segments they look
  // like round ones and cost a third as much to stroke.
  QPen pen(ToQColor(colour), drawWidth_ < 1 ? 1 : drawWidth_);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::BevelJoin);
  return pen;
}

void RasterSurface::FlushPolyline() {
  if (polyline_.size() > 1) {
    QPainter& p = Painter();
    p.setPen(Pen(foreColor_));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(polyline_);
  }
  polyline_.clear();
}

void RasterSurface::Cls() {
  FlushPolyline();
  if (painter_.isActive()) painter_.end();
  image_.fill(background_);
  if (changed_) changed_();
}

void RasterSurface::ForeColor(Colour colour) {
  FlushPolyline();
  foreColor_ = colour;
}

void RasterSurface::DrawWidth(int width) {
  FlushPolyline();
  drawWidth_ = width;
}

void RasterSurface::FillStyle(int style) { fillStyle_ = style; }

void RasterSurface::Circle(float x, float y, float radius) {
  FlushPolyline();
  QPainter& p = Painter();
  p.setPen(Pen(foreColor_));
  p.setBrush(fillStyle_ == kFillSolid ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
  p.drawEllipse(QPointF(x, y), radius, radius);
}

void RasterSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  FlushPolyline();
  QPainter& p = Painter();
  p.setPen(Pen(colour));
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void RasterSurface::PolyBezier(std::span<const geometry::IntPoint, 4> points) {
  FlushPolyline();
  QPainterPath path(QPointF(points[0].x, points[0].y));
  path.cubicTo(QPointF(points[1].x, points[1].y), QPointF(points[2].x, points[2].y),
               QPointF(points[3].x, points[3].y));
  QPainter& p = Painter();
  p.setPen(Pen(foreColor_));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void RasterSurface::MoveTo(std::int32_t x, std::int32_t y) {
  FlushPolyline();
  pen_ = {x, y};
}

void RasterSurface::LineTo(std::int32_t x, std::int32_t y) {
  // A segment to the point where the pen stands adds nothing to the picture.
  if (polyline_.isEmpty()) polyline_.append(QPoint(pen_.x, pen_.y));
  if (polyline_.last() != QPoint(x, y)) polyline_.append(QPoint(x, y));
  pen_ = {x, y};
}

}  // namespace surface
