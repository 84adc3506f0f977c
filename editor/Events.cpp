// Pointer editing and the control events.

#include "Pointer.h"
#include "main.h"

namespace editor {

void main::Picture1_MouseDown(short /*Button*/, short /*Shift*/, float x, float y) {
  scene::ButtonDown(P, grabIndex, x, y);
  Redraw();
}

void main::Picture1_MouseMove(short /*Button*/, short /*Shift*/, float x, float y) {
  const geometry::IntPoint at = scene::PointerPixel(x, y);
  setWindowTitle(QString::fromStdString(scene::PointerCaption(at.x, at.y)));
  if (grabIndex < 0) return;
  MoveGrabbedPoint(at.x, at.y);
}

void main::MoveGrabbedPoint(std::int32_t cx, std::int32_t cy) {
  scene::MoveGrabbed(P, grabIndex, {cx, cy}, Picture1->ScaleWidth(), Picture1->ScaleHeight());
  Redraw();
}

void main::Picture1_MouseUp(short /*Button*/, short /*Shift*/, float /*x*/, float /*y*/) {
  if (scene::ButtonUp(grabIndex)) Redraw();
}

void main::Check1_Click(short /*Index*/) { Redraw(); }

void main::Check2_Click(short /*Index*/) { Redraw(); }

void main::HScroll1_Change() {
  Label2->setText(QString::fromStdString(scene::DistanceText(HScroll1->value())));
  Redraw();
}

void main::HScroll1_Scroll() { HScroll1_Change(); }

}  // namespace editor
