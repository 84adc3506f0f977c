// Editing with the keyboard while Picture1 has the focus: 1 to 4 pick P(0) to
// P(3), the arrows move the grabbed point by one pixel (ten with Shift), and
// Escape lets it go. While a mouse button is held over the drawing area (or
// the scroll bar's thumb) the drag owns the state and these keys do nothing.
//
// A point picked by key is held without a button, which a drag never is, so
// the move handler would drag it after the pointer. The pointer's first move
// to a new whole-pixel position over the drawing area, or its next press,
// therefore lets it go first; then the event is handled as always.

#include <QAccessible>
#include <QKeyEvent>

#include "Arithmetic.h"
#include "Pointer.h"
#include "main.h"

namespace editor {

namespace {

// A point moves this far per arrow key; with Shift, kBigStep.
constexpr int kStep = 1;
constexpr int kBigStep = 10;

class PictureKeys final : public QObject {
 public:
  explicit PictureKeys(main* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const int code = key.key();
    const bool pick = plain && code >= Qt::Key_1 && code <= Qt::Key_4;
    const bool release = plain && code == Qt::Key_Escape;
    int dx = 0;
    int dy = 0;
    const int step = shift ? kBigStep : kStep;
    if (plain || shift) {
      if (code == Qt::Key_Left) dx = -step;
      if (code == Qt::Key_Right) dx = step;
      if (code == Qt::Key_Up) dy = -step;
      if (code == Qt::Key_Down) dy = step;
    }
    if (!pick && !release && dx == 0 && dy == 0) return false;
    if (window_->KeysWait()) return true;
    try {
      if (pick) {
        window_->PickPoint(code - Qt::Key_1);
      } else if (release) {
        window_->ReleasePoint();
      } else {
        window_->MovePoint(dx, dy);
      }
    } catch (const std::exception&) {
      // As for the pointer's handlers: the key is dropped.
    }
    return true;
  }

 private:
  main* window_;
};

}  // namespace

void main::PickPoint(int i) {
  if (i < 0 || i > 3) return;
  grabIndex = i;
  keyPicked_ = true;
  Redraw();
  AnnouncePicture();
}

void main::MovePoint(int dx, int dy) {
  if (grabIndex < 0) return;
  geometry::CheckSubscript(P.size(), static_cast<std::size_t>(grabIndex) + 1);
  const geometry::IntPoint from = P[static_cast<std::size_t>(grabIndex)];
  // One undo step for consecutive moves of the same point.
  const scene::State before = CurrentState();
  MoveGrabbedPoint(geometry::Add(from.x, dx), geometry::Add(from.y, dy));
  RecordStep(before, state::History::KeyMoveOf(grabIndex));
  AnnouncePicture();
}

void main::ReleasePoint() {
  keyPicked_ = false;
  if (grabIndex < 0) return;
  grabIndex = -1;
  Redraw();
  AnnouncePicture();
}

void main::PointerDown(short Button, short Shift, float x, float y) {
  if (keyPicked_) ReleasePoint();
  Picture1_MouseDown(Button, Shift, x, y);
}

void main::PointerMove(short Button, short Shift, float x, float y) {
  const geometry::IntPoint at = scene::PointerPixel(x, y);
  const bool moved = !pointer_ || pointer_->x != at.x || pointer_->y != at.y;
  pointer_ = at;
  if (keyPicked_ && grabIndex >= 0) {
    // A jitter within the same pixel leaves the picked point where it is.
    if (!moved) return;
    ReleasePoint();
  }
  Picture1_MouseMove(Button, Shift, x, y);
}

void main::AnnouncePicture() {
  QAccessibleEvent event(Picture1, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
}

void main::InstallKeys() { Picture1->installEventFilter(new PictureKeys(this)); }

}  // namespace editor
