#include "Beside.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace editor {

namespace {

constexpr int kGap = 8;  // between the main window and the one beside it

// Where a window of frame size `size` goes, in `screen` (available geometry),
// beside `owner` (its frame).
QPoint PlaceFrame(const QRect& owner, QSize size, const QRect& screen) {
  QPoint at = owner.topRight() + QPoint(kGap, 0);
  if (screen.isEmpty()) return at;
  const auto fits = [&](QPoint p) { return screen.contains(QRect(p, size)); };
  if (!fits(at)) at = QPoint(owner.left() - kGap - size.width(), owner.top());
  if (!fits(at)) at = owner.bottomLeft() + QPoint(0, kGap);
  if (!fits(at)) at = owner.topLeft();
  at.setX(std::max(std::min(at.x(), screen.right() + 1 - size.width()), screen.left()));
  at.setY(std::max(std::min(at.y(), screen.bottom() + 1 - size.height()), screen.top()));
  return at;
}

class Owner final : public QObject {
 public:
  Owner(QObject* parent, QWidget* window) : QObject(parent), window_(window) {}
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() override { delete window_; }

 private:
  QWidget* window_;
};

}  // namespace

void KeepWith(QObject& owner, QWidget* window) { new Owner(&owner, window); }

void PlaceBeside(QWidget& window, const QWidget& owner) {
  // Placed from the size it is about to be shown at (its layout's), not from
  // the default size a window has before it was shown, and no larger than the
  // screen. Not yet shown, it has no frame: it will get the owner's.
  window.adjustSize();
  const QSize frame = owner.frameGeometry().size() - owner.size();
  const QScreen* screen = owner.screen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
  if (!available.isEmpty()) window.resize(window.size().boundedTo(available.size() - frame));
  window.move(PlaceFrame(owner.frameGeometry(), window.size() + frame, available));
}

}  // namespace editor
