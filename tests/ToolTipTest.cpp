// The analysis tool tips: asked for by hovering, answered from the latest
// redraw, and absent from everything the window shows until then.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <string>

#include "main.h"

namespace {

// Hovers over `widget` as Qt does after the tool-tip delay and returns the tip.
std::string Hover(QWidget* widget) {
  const QPoint at(5, 5);
  QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &help);
  return QToolTip::text().toStdString();
}

TEST(ToolTips, AnswerFromTheLatestRedrawOnlyWhenAskedFor) {
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.Label1->toolTip().isEmpty());
  EXPECT_TRUE(window.Check2[0]->toolTip().isEmpty());

  // The start curve is 200 long; its 1000-division sum, 199.7006994, takes
  // 999 samples.
  EXPECT_EQ(Hover(window.Label1),
            "真の長さ（参照値） = 200\nLength(1000分割) の誤差 = -0.2993（-0.1497%、999点）");
  // The yellow curve passes (140, 100) at u = 0.5, 15 px inside the true
  // offset point (155, 100).
  EXPECT_EQ(Hover(window.Check2[0]), "近似オフセット曲線（黄）のずれ = 最大 15（u = 0.5）");

  // After the yellow box is cleared and the 10-division box ticked, the tips
  // follow the new redraw.
  QTest::mouseClick(window.Check2[0], Qt::LeftButton);
  QTest::mouseClick(window.Check1[0], Qt::LeftButton);
  EXPECT_EQ(Hover(window.Check2[0]), "近似オフセット曲線（黄）は描かれていません");
  EXPECT_EQ(Hover(window.Label1),
            "真の長さ（参照値） = 200\n"
            "Length(10分割) の誤差 = 1（0.5%、10点）\n"
            "Length(1000分割) の誤差 = -0.2993（-0.1497%、999点）");
  QToolTip::hideText();
}

}  // namespace
