#include "PictureBox.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace surface {

namespace {

short ButtonCode(Qt::MouseButtons buttons) {
  short code = 0;
  if (buttons & Qt::LeftButton) code |= 1;
  if (buttons & Qt::RightButton) code |= 2;
  if (buttons & Qt::MiddleButton) code |= 4;
  return code;
}

short ShiftCode(Qt::KeyboardModifiers modifiers) {
  short code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

qreal StartupPixelRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace

PictureBox::PictureBox(QSize inner, QWidget* parent)
    : QFrame(parent),
      raster_(inner.width(), inner.height(), StartupPixelRatio(), palette().color(QPalette::Button)),
      target_(&raster_) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  raster_.SetChangedCallback([this] { update(); });
}

QPointF PictureBox::InnerPosition(QPointF global) const {
  // Qt rounds the local position of events routed to child widgets, so the
  // fraction is taken from the global position.
  return global - mapToGlobal(QPointF(contentsRect().topLeft()));
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), raster_.Picture());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF p = InnerPosition(event->globalPosition());
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = InnerPosition(event->globalPosition());
  emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = InnerPosition(event->globalPosition());
  emit MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
               static_cast<float>(p.x()), static_cast<float>(p.y()));
}

}  // namespace surface
