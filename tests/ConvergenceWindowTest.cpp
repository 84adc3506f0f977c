// The convergence window (F2) on the shown main window: it opens and closes
// with F2, follows a drag with at most one table per 100 ms and the final
// state after the release, and computes nothing while closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "ConvergenceWindow.h"
#include "MouseInput.h"
#include "OffsetWindow.h"
#include "Vendrel.h"
#include "main.h"

namespace {

editor::ConvergenceWindow* Find() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<editor::ConvergenceWindow*>(widget)) return window;
  }
  return nullptr;
}

// The table shows the main window's points when its n = 10 row is their sum.
bool ShowsPointsOf(const editor::ConvergenceWindow& convergence, const editor::main& window) {
  if (!convergence.Table()) return false;
  for (const geometry::ConvergenceRow& row : convergence.Table()->rows) {
    if (row.divisions == 10) return row.length == Vendrel::CurveLength(window.P, 10);
  }
  return false;
}

TEST(ConvergenceWindow, FollowsADragCoalescedAndComputesNothingWhenClosed) {
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  editor::ConvergenceWindow* convergence = Find();
  ASSERT_NE(convergence, nullptr);
  EXPECT_FALSE(convergence->isVisible());
  EXPECT_EQ(convergence->TablesComputed(), 0);  // closed from the start: nothing computed

  QTest::keyClick(&window, Qt::Key_F2);
  ASSERT_TRUE(convergence->isVisible());
  EXPECT_EQ(convergence->windowTitle(), QStringLiteral("長さの収束"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return convergence->TablesComputed() == 1; }));
  auto* rows = convergence->findChild<QLabel*>("ConvergenceRows");
  ASSERT_NE(rows, nullptr);
  EXPECT_TRUE(rows->text().contains(QStringLiteral("100分割：99点、長さ 197.0694")))
      << rows->text().toStdString();
  EXPECT_TRUE(rows->text().contains(QStringLiteral("1000分割：999点")));

  // A drag of P(1) with 40 moves: far more redraws than tables.
  testing_support::MouseInput mouse(*window.Picture1);
  QElapsedTimer clock;
  clock.start();
  mouse.Press({150, 50});
  for (int i = 1; i <= 40; ++i) {
    mouse.Move({150.0 + i, 50.0 + i});
    QTest::qWait(5);
  }
  const qint64 dragMs = clock.elapsed();
  const int duringDrag = convergence->TablesComputed() - 1;
  EXPECT_LE(duringDrag, dragMs / editor::ConvergenceWindow::kDragIntervalMs + 1);
  mouse.Release();
  EXPECT_EQ(window.P[1].x, 190);
  // Once after the release, for the final state.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsPointsOf(*convergence, window); }));
  QTest::qWait(3 * editor::ConvergenceWindow::kDragIntervalMs);
  EXPECT_TRUE(ShowsPointsOf(*convergence, window));

  // Closed with F2 in either window: redraws compute nothing.
  QTest::keyClick(convergence, Qt::Key_F2);
  EXPECT_FALSE(convergence->isVisible());
  const int computed = convergence->TablesComputed();
  mouse.Press({190, 90});
  mouse.Move({120, 120});
  mouse.Release();
  QTest::qWait(3 * editor::ConvergenceWindow::kDragIntervalMs);
  EXPECT_EQ(convergence->TablesComputed(), computed);
  EXPECT_FALSE(ShowsPointsOf(*convergence, window));

  // Opened again from the main window, it catches up with the state it missed.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F2);
  EXPECT_TRUE(convergence->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsPointsOf(*convergence, window); }));
}

// Tab from the rows reaches the switch to the rules' plot; Space turns it on:
// the rules' table of the main window's points is computed, the rows read its
// summary and the plot has the rules' name; off again, the counts' rows return.
TEST(ConvergenceWindow, TheKeyboardSwitchesToTheRulesPlotAndBack) {
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  editor::ConvergenceWindow* convergence = Find();
  ASSERT_NE(convergence, nullptr);
  QTest::keyClick(&window, Qt::Key_F2);
  ASSERT_TRUE(QTest::qWaitForWindowActive(convergence));
  auto* rows = convergence->findChild<QLabel*>("ConvergenceRows");
  auto* rules = convergence->findChild<QCheckBox*>("RulesSwitch");
  auto* plot = convergence->findChild<QWidget*>("ConvergencePlot");
  ASSERT_TRUE(rows && rules && plot);
  EXPECT_FALSE(rules->accessibleName().isEmpty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return rows->text().startsWith("10分割："); }));
  EXPECT_FALSE(convergence->RulesTable());

  rows->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), rules);
  QTest::keyClick(rules, Qt::Key_Space);
  ASSERT_TRUE(rules->isChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return convergence->RulesTable().has_value(); }));
  EXPECT_EQ(convergence->RulesTable()->P, window.P);
  EXPECT_EQ(convergence->RulesTable()->rows.size(), 5u * 168u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return rows->text().contains("gauss（"); }))
      << rows->text().toStdString();
  EXPECT_EQ(rows->text().count('\n'), 5);  // the reference, then one line per rule
  EXPECT_EQ(plot->accessibleName(), QStringLiteral("長さの規則の図"));

  QTest::keyClick(rules, Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([&] { return rows->text().startsWith("10分割："); }));
  EXPECT_EQ(plot->accessibleName(), QStringLiteral("長さの収束の図"));
}

// The window opens beside the main window where it fits on the screen, else
// to its left, below or over it, always whole on the screen when it can be;
// the offset window (F3) is placed by the same rule.
TEST(ConvergenceWindow, OpensBesideTheMainWindowAndOnTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    const char* where;
    QPoint mainAt;       // where the main window's frame is moved, from the screen's top left
    bool besideOrBelow;  // room enough on the screen not to cover the main window
  };
  for (const Case& c :
       {Case{"top left", {0, 0}, true}, Case{"top right", {screen.width() - 640, 0}, false},
        Case{"bottom right", {screen.width() - 640, screen.height() - 300}, false}}) {
    editor::main window;
    window.move(screen.topLeft() + c.mainAt);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const Qt::Key key : {Qt::Key_F2, Qt::Key_F3}) {
      window.activateWindow();
      QTest::keyClick(&window, key);
      QWidget* study = nullptr;
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        const bool ours = key == Qt::Key_F2
                              ? qobject_cast<editor::ConvergenceWindow*>(widget) != nullptr
                              : qobject_cast<editor::OffsetWindow*>(widget) != nullptr;
        if (ours && widget->isVisible()) study = widget;
      }
      ASSERT_NE(study, nullptr) << c.where << " " << key;
      const QRect placed = study->frameGeometry();
      EXPECT_TRUE(screen.contains(placed)) << c.where << ": " << placed.x() << "," << placed.y();
      // The offset window is too large to go beside or below the main window
      // on the offscreen platform's 800 x 600 screen: it goes over it, its
      // content scrolled.
      if (c.besideOrBelow && key == Qt::Key_F2) {
        EXPECT_FALSE(placed.intersects(window.frameGeometry())) << c.where;
      }
      QTest::keyClick(study, key);
    }
  }
}

}  // namespace
