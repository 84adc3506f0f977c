#include "PictureBox.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace editor {

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
      raster_(inner.width(), inner.height(), StartupPixelRatio(),
              palette().color(QPalette::Button)),
      target_(&raster_) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // A new scene changes only the inner area; the border stays as it is.
  raster_.SetChangedCallback([this] { update(contentsRect()); });
}

void PictureBox::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  if (!watching_ && window()->windowHandle() != nullptr) {
    window()->windowHandle()->installEventFilter(this);
    watching_ = true;
  }
}

bool PictureBox::eventFilter(QObject* /*watched*/, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      exactGlobal_ = static_cast<QMouseEvent*>(event)->globalPosition();
      break;
    default:
      break;
  }
  return false;
}

QPointF PictureBox::InnerPosition(const QMouseEvent& event) {
  // Qt rounds the positions of events it routes to child widgets. When the
  // event is the one the top-level window has just seen, its exact position
  // is used.
  QPointF global = event.globalPosition();
  if (exactGlobal_ && exactGlobal_->toPoint() == global.toPoint()) global = *exactGlobal_;
  exactGlobal_.reset();
  return global - mapToGlobal(QPointF(contentsRect().topLeft()));
}

void PictureBox::paintEvent(QPaintEvent* event) {
  // The border is painted only when some of it is to be painted again (shown,
  // uncovered, its focus mark changed), not after each new scene.
  const QRect inner = contentsRect();
  const bool border = !inner.contains(event->rect());
  if (border) QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setClipRect(event->rect() & inner);
  painter.drawImage(inner.topLeft(), raster_.Picture());
  if (!border || !focusMark_) return;
  // Dotted lines along both rings of the border, clipped to the border.
  painter.setClipRegion(QRegion(rect()).subtracted(QRegion(contentsRect())));
  painter.setPen(QPen(palette().color(QPalette::Highlight), 0, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  for (int ring = 0; ring < kBorder; ++ring) {
    painter.drawRect(rect().adjusted(ring, ring, -1 - ring, -1 - ring));
  }
}

void PictureBox::ShowFocusMark(bool show) {
  if (focusMark_ == show) return;
  focusMark_ = show;
  update();
}

void PictureBox::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  ShowFocusMark(event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason);
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  ShowFocusMark(false);
}

bool PictureBox::InInnerArea(QPointF p) const {
  const QSize inner = contentsRect().size();
  return p.x() >= 0 && p.x() < inner.width() && p.y() >= 0 && p.y() < inner.height();
}

// Each handler first forgets the buttons that are no longer held, in case a
// button-up never arrived (the grab taken by another window, for instance).

void PictureBox::HoldButtons(Qt::MouseButtons buttons) {
  const bool was = ButtonsHeld();
  dragButtons_ = buttons;
  if (ButtonsHeld() != was) emit ButtonsHeldChanged(ButtonsHeld());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  ShowFocusMark(false);
  const QPointF p = InnerPosition(*event);
  HoldButtons(dragButtons_ & event->buttons());
  const bool inside = InInnerArea(p);
  if (!inside && !dragButtons_) return;
  if (inside) HoldButtons(dragButtons_ | event->button());
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = InnerPosition(*event);
  HoldButtons(dragButtons_ & event->buttons());
  if (!InInnerArea(p) && !dragButtons_) return;
  emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = InnerPosition(*event);
  // The released button still counts as held for its own button-up.
  HoldButtons(dragButtons_ & (event->buttons() | event->button()));
  const bool report = InInnerArea(p) || dragButtons_;
  HoldButtons(dragButtons_ & ~event->button());
  if (!report) return;
  emit MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
               static_cast<float>(p.x()), static_cast<float>(p.y()));
}

}  // namespace editor
