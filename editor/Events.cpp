// Pointer editing and the control events.

#include "Arithmetic.h"
#include "main.h"

namespace editor {

namespace {

// A press grabs a point less than 4 pixels away: squared distance below 16.
constexpr double kReachSquared = 16.0;
// A dragged point stays this many pixels inside each edge of the area.
constexpr std::int32_t kMargin = 5;

}  // namespace

void main::Picture1_MouseDown(short /*Button*/, short /*Shift*/, float x, float y) {
  // Every point in reach is tested, so the highest index wins.
  for (int i = 0; i <= 3; ++i) {
    const double dy = geometry::Checked(static_cast<double>(y) - P[i].y);
    const double dx = geometry::Checked(static_cast<double>(x) - P[i].x);
    const double s = geometry::Checked(dx * dx + dy * dy);
    if (s < kReachSquared) grabIndex = i;
  }
  Redraw();
}

void main::Picture1_MouseMove(short /*Button*/, short /*Shift*/, float x, float y) {
  const std::int32_t cx = geometry::RoundToInt32(x);
  const std::int32_t cy = geometry::RoundToInt32(y);
  setWindowTitle(QString::fromUtf8(i18n::Tr(kPointerCaptionPrefix)) + QString::number(cx) + "," +
                 QString::number(cy) + ")");
  if (grabIndex < 0) return;
  MoveGrabbedPoint(cx, cy);
}

void main::MoveGrabbedPoint(std::int32_t cx, std::int32_t cy) {
  geometry::CheckSubscript(P.size(), static_cast<std::size_t>(grabIndex) + 1);
  geometry::IntPoint& point = P[static_cast<std::size_t>(grabIndex)];
  point = {cx, cy};
  if (point.x < kMargin) point.x = kMargin;
  if (point.y < kMargin) point.y = kMargin;
  const double right = geometry::Checked(static_cast<double>(Picture1->ScaleWidth()) - kMargin);
  if (point.x > right) point.x = geometry::RoundToInt32(right);
  const double bottom = geometry::Checked(static_cast<double>(Picture1->ScaleHeight()) - kMargin);
  if (point.y > bottom) point.y = geometry::RoundToInt32(bottom);
  Redraw();
}

void main::Picture1_MouseUp(short /*Button*/, short /*Shift*/, float /*x*/, float /*y*/) {
  if (grabIndex < 0) return;
  grabIndex = -1;
  Redraw();
}

void main::Check1_Click(short /*Index*/) { Redraw(); }

void main::Check2_Click(short /*Index*/) { Redraw(); }

void main::HScroll1_Change() {
  Label2->setText(QString::fromUtf8(i18n::Tr(kDistanceTextPrefix)) +
                  QString::number(HScroll1->value()));
  Redraw();
}

void main::HScroll1_Scroll() { HScroll1_Change(); }

}  // namespace editor
