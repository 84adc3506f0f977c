// Seeded random event sequences through the shown window: presses, moves and
// releases of all three buttons at the top-level window, check-box clicks,
// scroll-bar changes, keys and wheel turns on the scroll bar, and the copy
// key. After every event the window must agree with a model of the pointer
// rules and with the report laid out afresh. A failure names the seed and the
// event; BEZIERLAB_FUZZ_SEED=<seed> runs that seed alone, and
// BEZIERLAB_FUZZ_EVENTS sets the total number of events (default 100,000).

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>

#include "Arithmetic.h"
#include "MouseInput.h"
#include "Report.h"
#include "Vendrel.h"
#include "main.h"

namespace {

using geometry::IntPoint;

constexpr long kSeeds = 20;
constexpr int kScale = 260;  // ScaleWidth and ScaleHeight of the drawing area
constexpr int kMargin = 5;
constexpr QPointF kPark{-1000, -1000};  // outside the window

long Env(const char* name, long fallback) {
  return qEnvironmentVariableIsEmpty(name) ? fallback : qEnvironmentVariableIntValue(name);
}

std::string Str(QPointF p) { return QString("(%1,%2)").arg(p.x()).arg(p.y()).toStdString(); }

int Rounded(double v) { return static_cast<int>(std::nearbyint(static_cast<float>(v))); }

// The report as Redraw lays it out, from P and the four Check1 boxes; a line
// whose computation raises the program's error is left out.
std::string ExpectedReport(const editor::main& w) {
  std::string r;
  const auto line = [&r](auto text) {
    try {
      r += text();
    } catch (const geometry::Error&) {
    }
  };
  for (int i = 0; i <= 3; ++i) r += scene::ControlPointLine(i, w.P[i]);
  r += scene::kEmptyLine;
  double total = 0;
  for (int i = 1; i <= 3; ++i) {
    line([&] {
      const double d = scene::ChordLength(w.P, i);
      total += d;
      return scene::ChordLine(i, d);
    });
  }
  line([&] { return scene::TotalLine(total); });
  for (int i = 0; i <= 3; ++i) {
    if (!w.Check1[i]->isChecked()) continue;
    const double n = scene::DivisionCount(i);
    line([&] { return scene::CurveLengthLine(n, Vendrel::CurveLength(w.P, n)); });
  }
  return r;
}

// One seeded sequence on a fresh window, and the model it is held to.
class Sequence {
 public:
  explicit Sequence(unsigned seed) : rng_(seed) {
    w_.show();
    w_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w_));
    EXPECT_EQ(w_.Picture1->ScaleWidth(), kScale);
    mouse_.Move(kPark);
    for (int i = 0; i < 6; ++i) ticked_[i] = boxes_[i]->isChecked();
  }
  ~Sequence() {  // Qt's button state outlives the window
    while (mouse_.Held()) mouse_.Release(Button(true));
  }

  // Sends one random event and updates the model.
  void Step() {
    const int kind = Pick(100);
    if (kind < (grab_ >= 0 ? 80 : 45)) return Move(Somewhere());  // drags last a while
    if (kind < 90 && mouse_.Held() != kAll && (!mouse_.Held() || Pick(2))) return Press();
    if (kind < 90) return Release();
    if (kind < 95) return Click(Pick(6));
    return kind < 99 ? Scroll(Pick(5)) : Copy();
  }
  std::string event;  // what the latest event was, set before it is sent

  // Empty when the window agrees with the model, else what differs.
  std::string Mismatch() const {
    if (w_.grabIndex < -1 || w_.grabIndex > 3 || w_.grabIndex != grab_)
      return "grabIndex " + std::to_string(w_.grabIndex) + ", model " + std::to_string(grab_);
    for (int i = 0; i <= 3; ++i) {
      const IntPoint p = w_.P[i];
      const bool inside =
          p.x >= kMargin && p.x <= kScale - kMargin && p.y >= kMargin && p.y <= kScale - kMargin;
      if ((dragged_[i] && !inside) || p != P_[i])
        return "P(" + std::to_string(i) + ") = " + Str(QPointF(p.x, p.y)) + ", model " +
               Str(QPointF(P_[i].x, P_[i].y));
    }
    for (int i = 0; i < 6; ++i) {
      if (boxes_[i]->isChecked() != ticked_[i]) return boxes_[i]->objectName().toStdString();
    }
    const int v = w_.HScroll1->value();
    const std::string distance = w_.Label2->text().toStdString();
    if (v < 0 || v > 50 ||
        (distance != editor::kDistanceTextPrefix + std::to_string(v) &&
         (v != 30 || distance != editor::kDesignDistanceText)))
      return "scroll bar at " + std::to_string(v) + ", Label2 \"" + distance + "\"";
    if (!copyMatched_) return "the clipboard does not hold the report";
    const std::string caption = w_.windowTitle().toStdString();
    if (caption == editor::kBusyCaption || caption != caption_)
      return "caption \"" + caption + "\", model \"" + caption_ + "\"";
    const std::string report = w_.Label1->text().toStdString(), expected = ExpectedReport(w_);
    return report == expected ? "" : "report\n" + report + "expected\n" + expected;
  }

 private:
  static constexpr Qt::MouseButtons kAll{Qt::LeftButton | Qt::RightButton | Qt::MiddleButton};

  // mt19937's output is fixed by the standard, so a seed replays anywhere.
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  // Quarter pixels in [lo, hi): exact in every coordinate system on the way.
  double Q(int lo, int hi) { return lo + Pick(4 * (hi - lo)) / 4.0; }
  // A random button that is held, or one that is not.
  Qt::MouseButton Button(bool held) {
    for (;;) {
      const auto b = std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[Pick(3)];
      if (bool(mouse_.Held() & b) == held) return b;
    }
  }

  QPointF Somewhere() {
    const IntPoint p = P_[Pick(4)];
    const double edge = Pick(2) ? Q(-2, 0) : Q(kScale, kScale + 2), along = Q(-2, kScale + 2);
    const double far = Pick(2) ? Q(-3000, -40) : Q(700, 3000), any = Q(-3000, 3000);
    const bool swap = Pick(2);
    const std::array<QPointF, 5> places{
        QPointF{p.x + Q(-5, 5), p.y + Q(-5, 5)},              // near a control point
        QPointF{Q(0, kScale), Q(0, kScale)},                  // inside
        QPointF{double(Pick(kScale)), double(Pick(kScale))},  // whole pixels inside
        swap ? QPointF{along, edge} : QPointF{edge, along},   // on the border
        swap ? QPointF{any, far} : QPointF{far, any}};        // far outside the window
    return places[Pick(5)];
  }

  // Qt sends a mouse event to the widget the first press went to while a
  // button is held, else to the widget under the pointer. The drawing area
  // passes it on to its handler when it lies on the inner area, or while a
  // button that went down there is held.
  bool ToArea(QPointF at) const {
    const bool toWidget = mouse_.Held()
                              ? areaHasGrab_
                              : w_.Picture1->geometry().contains(mouse_.InWindow(at).toPoint());
    return toWidget && (dragButtons_ || Inside(at));
  }
  static bool Inside(QPointF at) {
    return at.x() >= 0 && at.x() < kScale && at.y() >= 0 && at.y() < kScale;
  }

  void Move(QPointF at) {
    event = "move to " + Str(at);
    const bool toArea = ToArea(at);
    mouse_.Move(at);
    Moved(at, toArea);
  }
  void Moved(QPointF at, bool toArea) {
    pointer_ = at;
    if (!toArea) return;
    const int x = Rounded(at.x()), y = Rounded(at.y());
    caption_ = editor::kPointerCaptionPrefix + std::to_string(x) + "," + std::to_string(y) + ")";
    if (grab_ < 0) return;
    P_[grab_] = {std::clamp(x, kMargin, kScale - kMargin),
                 std::clamp(y, kMargin, kScale - kMargin)};
    dragged_[grab_] = true;
  }

  void Press() {
    const QPointF at = Somewhere();
    const Qt::MouseButton button = Button(false);
    event = "press " + std::to_string(button) + " at " + Str(at);
    if (at != pointer_) Moved(at, ToArea(at));  // Qt moves the pointer there first
    if (!mouse_.Held()) {
      areaHasGrab_ = w_.Picture1->geometry().contains(mouse_.InWindow(at).toPoint());
    }
    const bool toArea = ToArea(at);
    if (toArea && Inside(at)) dragButtons_ |= button;
    mouse_.Press(at, button);
    for (int i = 0; toArea && i <= 3; ++i) {
      const double dx = double(float(at.x())) - P_[i].x, dy = double(float(at.y())) - P_[i].y;
      if (dx * dx + dy * dy < 16) grab_ = i;
    }
  }
  void Release() {
    const Qt::MouseButton button = Button(true);
    event = "release " + std::to_string(button);
    const bool toArea = ToArea(pointer_);
    dragButtons_ &= ~button;
    mouse_.Release(button);
    if (toArea) grab_ = -1;
  }

  void Click(int i) {
    event = "click on " + boxes_[i]->objectName().toStdString();
    QTest::mouseClick(boxes_[i], Qt::LeftButton, {}, QPoint(6, boxes_[i]->height() / 2));
    ticked_[i] = !ticked_[i];
  }
  void Scroll(int how) {
    static constexpr const char* kHow[] = {"setValue(v)", "triggerAction(v & 7)", "arrow (v & 1)",
                                           "key (v & 7)", "wheel (v * 40)"};
    static constexpr Qt::Key kKeys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                        Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                        Qt::Key_Home, Qt::Key_End};
    QScrollBar* bar = w_.HScroll1;
    const int v = Pick(71) - 10;
    event = std::string("scroll bar ") + kHow[how] + ", v = " + std::to_string(v);
    const auto arrow = v & 1 ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine;
    if (how == 0) bar->setValue(v);
    if (how == 1) bar->triggerAction(QAbstractSlider::SliderAction(v & 7));
    if (how == 2)
      QTest::mouseClick(bar, Qt::LeftButton, {}, testing_support::Part(bar, arrow).center());
    if (how == 3) QTest::keyClick(bar, kKeys[v & 7]);
    if (how == 4) {
      const QPointF at = bar->rect().center();
      QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, v * 40}, mouse_.Held(), {},
                        Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(bar, &wheel);
    }
    QCoreApplication::processEvents();
  }
  void Copy() {
    event = "copy key";
    QTest::keyClick(&w_, Qt::Key_C, Qt::ControlModifier);
    copyMatched_ = QGuiApplication::clipboard()->text() == w_.Label1->text();
  }

  std::mt19937 rng_;
  editor::main w_;
  testing_support::MouseInput mouse_{*w_.Picture1};
  const std::array<QCheckBox*, 6> boxes_{w_.Check1[0], w_.Check1[1], w_.Check1[2],
                                         w_.Check1[3], w_.Check2[0], w_.Check2[1]};
  // The model.
  std::array<IntPoint, 4> P_ = scene::kStartPoints;
  std::int32_t grab_ = -1;
  std::string caption_ = editor::kDesignCaption;
  QPointF pointer_ = kPark;
  bool areaHasGrab_ = false;
  Qt::MouseButtons dragButtons_;  // held, and went down on the inner area
  bool copyMatched_ = true;
  std::array<bool, 4> dragged_{};
  std::array<bool, 6> ticked_{};
};

TEST(EventFuzz, RandomSequencesKeepTheWindowConsistent) {
  const long perSeed = std::max(1L, (Env("BEZIERLAB_FUZZ_EVENTS", 100000) + kSeeds - 1) / kSeeds);
  const long only = Env("BEZIERLAB_FUZZ_SEED", 0);
  for (long seed = only ? only : 1; seed <= (only ? only : kSeeds); ++seed) {
    Sequence run(static_cast<unsigned>(seed));
    for (long i = 0; i < perSeed; ++i) {
      std::string problem;
      try {
        run.Step();
        problem = run.Mismatch();
      } catch (const std::exception& e) {
        problem = std::string("exception escaped: ") + e.what();
      } catch (...) {
        problem = "exception escaped";
      }
      if (!problem.empty()) {
        ADD_FAILURE() << "seed " << seed << ", event " << i << " (" << run.event << "): " << problem
                      << "\nreplay: BEZIERLAB_FUZZ_SEED=" << seed;
        break;
      }
    }
  }
}

}  // namespace
