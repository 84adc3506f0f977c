#pragma once

// Real input for the window tests. Mouse events enter where the window system
// hands them to Qt and take Qt's own route to the drawing area, implicit grab
// included. Positions are in inner-area pixels of the drawing area and may
// have a fraction, as on a scaled screen.

#include <QCoreApplication>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace testing_support {

class MouseInput {
 public:
  explicit MouseInput(const QWidget& area) : area_(area) {}

  void Press(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    held_ |= button;
    Send(QEvent::MouseButtonPress, at, button);
  }
  void Move(QPointF at) { Send(QEvent::MouseMove, at, Qt::NoButton); }
  // Released where the pointer is, so that no move comes first.
  void Release(Qt::MouseButton button = Qt::LeftButton) {
    held_ &= ~button;
    Send(QEvent::MouseButtonRelease, at_, button);
    QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
  }

  Qt::MouseButtons Held() const { return held_; }
  // Where `at` lies in the top-level window.
  QPointF InWindow(QPointF at) const {
    return at + QPointF(area_.mapTo(area_.window(), area_.contentsRect().topLeft()));
  }

 private:
  void Send(QEvent::Type type, QPointF at, Qt::MouseButton button) {
    at_ = at;
    QWindow* window = area_.window()->windowHandle();
    const QPointF local = InWindow(at);
    const QPointF global = local + QPointF(window->mapToGlobal(QPoint(0, 0)));
    QTest::lastMouseTimestamp += 1;
    qt_handleMouseEvent(window, local, global, held_, button, type, Qt::NoModifier,
                        QTest::lastMouseTimestamp);
    QCoreApplication::processEvents();
  }

  const QWidget& area_;
  Qt::MouseButtons held_;
  QPointF at_;
};

// Where the style puts a part of the scroll bar.
inline QRect Part(const QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = option.sliderValue = bar->value();
  option.pageStep = bar->pageStep();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

}  // namespace testing_support
