// The offset window (F3) on the shown main window: it opens and closes with
// F3, shows the study of the main window's state (the cusps, the curve drawn
// again with its marks where the study puts them, the text), leaves the main
// window's picture and report as they were, follows a drag with at most one
// study per 100 ms and computes nothing while closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <cmath>

#include "AnalysisText.h"
#include "MouseInput.h"
#include "OffsetPlot.h"
#include "OffsetText.h"
#include "OffsetView.h"
#include "OffsetWindow.h"
#include "Studies.h"
#include "main.h"

namespace {

editor::OffsetWindow* Find() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<editor::OffsetWindow*>(widget)) return window;
  }
  return nullptr;
}

// The study shown is the one of the main window's points and distance.
bool ShowsStateOf(const editor::OffsetWindow& offsets, const editor::main& window) {
  if (!offsets.Study()) return false;
  const geometry::OffsetStudy expected =
      geometry::StudyOffset(window.P, static_cast<float>(window.HScroll1->value()));
  const geometry::OffsetStudy& shown = *offsets.Study();
  return shown.distance == expected.distance && shown.drawn == expected.drawn &&
         shown.asDrawn.has_value() == expected.asDrawn.has_value() &&
         (!shown.asDrawn || shown.asDrawn->max == expected.asDrawn->max) &&
         shown.cusps.size() == expected.cusps.size();
}

// Where the curve view differs from the main window's drawing area: every
// such pixel must lie on a ring of the marks, and each mark must change some.
void ExpectOnlyTheMarksAdded(const QImage& view, const QImage& area,
                             const scene::OffsetMarks& marks) {
  ASSERT_EQ(view.size(), area.size());
  struct Ring {
    scene::ViewPoint at;
    float radius;
    int changed = 0;
  };
  std::vector<Ring> rings;
  for (const scene::ViewPoint& c : marks.cusps) rings.push_back({c, scene::kCuspRingRadius});
  if (marks.worst) rings.push_back({*marks.worst, scene::kWorstRingRadius});
  int stray = 0;
  for (int y = 0; y < view.height(); ++y) {
    for (int x = 0; x < view.width(); ++x) {
      if (view.pixel(x, y) == area.pixel(x, y)) continue;
      bool onRing = false;
      for (Ring& r : rings) {
        const double distance = std::hypot(x + 0.5 - r.at.x, y + 0.5 - r.at.y);
        if (std::abs(distance - r.radius) <= 3.5) {
          onRing = true;
          ++r.changed;
        }
      }
      if (!onRing) ++stray;
    }
  }
  EXPECT_EQ(stray, 0);
  for (const Ring& r : rings) EXPECT_GT(r.changed, 0) << r.at.x << "," << r.at.y;
}

TEST(OffsetWindow, ShowsTheStudyLeavesTheMainWindowAloneAndFollowsADrag) {
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  scene::State twoCusps;
  twoCusps.P = {{{50, 150}, {150, 150}, {150, 50}, {50, 50}}};
  twoCusps.dist = 50;
  window.ApplyState(twoCusps);
  const QImage mainBefore = window.grab().toImage();
  const QString reportBefore = window.Label1->text();
  editor::OffsetWindow* offsets = Find();
  ASSERT_NE(offsets, nullptr);
  EXPECT_FALSE(offsets->isVisible());
  EXPECT_EQ(offsets->StudiesComputed(), 0);  // closed from the start: nothing computed

  QTest::keyClick(&window, Qt::Key_F3);
  ASSERT_TRUE(offsets->isVisible());
  EXPECT_EQ(offsets->windowTitle(), QStringLiteral("オフセットの誤差"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return offsets->StudiesComputed() == 1; }));
  ASSERT_TRUE(ShowsStateOf(*offsets, window));
  const geometry::OffsetStudy& study = *offsets->Study();
  ASSERT_EQ(study.cusps.size(), 2U);
  EXPECT_NEAR(study.cusps[0].t, 0.303340053, 1e-9);
  EXPECT_NEAR(study.cusps[1].t, 0.696659947, 1e-9);

  // The text a user selects and a screen reader reads is the study's.
  auto* rows = offsets->findChild<QPlainTextEdit*>("OffsetRows");
  ASSERT_NE(rows, nullptr);
  EXPECT_TRUE(rows->isReadOnly());
  EXPECT_TRUE(rows->textInteractionFlags() & Qt::TextSelectableByKeyboard);
  const QString text = rows->toPlainText();
  EXPECT_EQ(text.toStdString(), scene::JoinLines(scene::OffsetLines(study)));
  EXPECT_TRUE(text.contains(QStringLiteral("t = 0.303340053"))) << text.toStdString();
  auto* curve = offsets->findChild<QWidget*>("OffsetCurve");
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->accessibleDescription().toStdString(), scene::OffsetViewDescription(study));
  // The curve drawn again, the marks where the study puts them and nothing else.
  ExpectOnlyTheMarksAdded(curve->grab().toImage().convertToFormat(QImage::Format_RGB32),
                          window.Picture1->Raster().Picture().convertToFormat(QImage::Format_RGB32),
                          scene::MarksOf(study));
  // The plot is the study's, painted from its figure.
  auto* plot = offsets->findChild<QWidget*>("OffsetPlot");
  ASSERT_NE(plot, nullptr);
  QImage expected(plot->size(), QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&expected);
    surface::PaintOffsets(painter, plot->size(), window.P, study);
  }
  EXPECT_EQ(plot->grab().toImage().convertToFormat(QImage::Format_RGB32),
            expected.convertToFormat(QImage::Format_RGB32));
  // The main window as it was, picture and report.
  EXPECT_EQ(window.grab().toImage(), mainBefore);
  EXPECT_EQ(window.Label1->text(), reportBefore);

  // A drag of P(1) with 40 moves: far more redraws than studies.
  testing_support::MouseInput mouse(*window.Picture1);
  QElapsedTimer clock;
  clock.start();
  mouse.Press({150, 150});
  for (int i = 1; i <= 40; ++i) {
    mouse.Move({150.0 - i, 150.0 + i});
    QTest::qWait(5);
  }
  const qint64 dragMs = clock.elapsed();
  const int duringDrag = offsets->StudiesComputed() - 1;
  EXPECT_LE(duringDrag, dragMs / scene::kStudyDragIntervalMs + 1);
  mouse.Release();
  EXPECT_EQ(window.P[1].x, 110);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsStateOf(*offsets, window); }));

  // Closed with F3 in either window: redraws compute nothing.
  QTest::keyClick(offsets, Qt::Key_F3);
  EXPECT_FALSE(offsets->isVisible());
  const int computed = offsets->StudiesComputed();
  mouse.Press({110, 190});
  mouse.Move({120, 120});
  mouse.Release();
  QTest::qWait(3 * scene::kStudyDragIntervalMs);
  EXPECT_EQ(offsets->StudiesComputed(), computed);
  EXPECT_FALSE(ShowsStateOf(*offsets, window));

  // Opened again from the main window, it catches up with the state it missed.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F3);
  EXPECT_TRUE(offsets->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsStateOf(*offsets, window); }));
  QTest::keyClick(&window, Qt::Key_F3);
  EXPECT_FALSE(offsets->isVisible());
}

}  // namespace
