// The window for keyboard and screen-reader users: every value change runs
// its handler once whatever its source, the keys of the drawing area, the
// descriptions a screen reader reads, and the focus mark that never touches
// the picture. Redraws are counted as the Cls calls they begin with.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QTest>
#include <string>
#include <vector>

#include "MouseInput.h"
#include "RecordingSurface.h"
#include "main.h"

namespace {

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

std::string Text(QObject* object, QAccessible::Text t) {
  return Accessible(object)->text(t).toStdString();
}

class Accessibility : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Picture1->RedirectDrawing(&rec);
  }
  void TearDown() override { window.Picture1->RedirectDrawing(nullptr); }

  // A key as the window system delivers it, to the focused control.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window.windowHandle(), key, modifiers);
  }
  std::size_t Redraws() const { return rec.Count("Cls"); }
  std::string Report() const { return window.Label1->text().toStdString(); }
  std::string Line(int i) const {
    const QStringList lines = window.Label1->text().split("\r\n");
    return lines.value(i).toStdString();
  }

  editor::main window;
  testing_support::RecordingSurface rec;
  testing_support::MouseInput mouse{*window.Picture1};
};

TEST_F(Accessibility, EveryValueChangeRunsItsHandlerOnce) {
  QCheckBox* yellow = window.Check2[0];
  QAccessibleActionInterface* actions = Accessible(yellow)->actionInterface();
  ASSERT_NE(actions, nullptr);

  // The Toggle action unticks the yellow box and the yellow curve goes at once.
  actions->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_FALSE(yellow->isChecked());
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(rec.Count("PolyBezier"), 1u) << "the curve only";

  // The Press action, a mouse click, Space and a call from code: once each.
  rec.Clear();
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(yellow->isChecked());
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(rec.Count("PolyBezier"), 2u);
  rec.Clear();
  QTest::mouseClick(yellow, Qt::LeftButton);
  EXPECT_FALSE(yellow->isChecked());
  EXPECT_EQ(Redraws(), 1u);
  yellow->setFocus();
  rec.Clear();
  Key(Qt::Key_Space);
  EXPECT_TRUE(yellow->isChecked());
  EXPECT_EQ(Redraws(), 1u);
  rec.Clear();
  yellow->setChecked(false);
  yellow->setChecked(false);
  EXPECT_EQ(Redraws(), 1u) << "no change, no redraw";

  // Check1(3) ticked the same way adds its line to the report.
  rec.Clear();
  Accessible(window.Check1[3])
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(Line(11).substr(0, 22), "Length(10000分割) = ");

  // The scroll bar's Value interface runs its Change handler once.
  rec.Clear();
  Accessible(window.HScroll1)->valueInterface()->setCurrentValue(20);
  EXPECT_EQ(window.HScroll1->value(), 20);
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(window.Label2->text().toStdString(), "オフセット距離:20");
}

TEST_F(Accessibility, NamesRolesAndRelations) {
  EXPECT_EQ(Accessible(&window)->role(), QAccessible::Window);
  EXPECT_EQ(Text(&window, QAccessible::Name), "ベジェ曲線の長さ計算・オフセット曲線サンプル");
  EXPECT_EQ(Accessible(window.Picture1)->role(), QAccessible::Canvas);
  EXPECT_EQ(Text(window.Picture1, QAccessible::Name), "ベジェ曲線の描画領域");
  EXPECT_EQ(Text(window.Label1, QAccessible::Name), "レポート");
  EXPECT_EQ(Text(window.Label1, QAccessible::Description), Report());

  EXPECT_EQ(Text(window.HScroll1, QAccessible::Name), "オフセット距離");
  const auto labels = Accessible(window.HScroll1)->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front().first->object(), window.Label2);

  QAccessibleInterface* box = Accessible(window.Check1[2]);
  EXPECT_EQ(box->role(), QAccessible::CheckBox);
  EXPECT_EQ(Text(window.Check1[2], QAccessible::Name), "1000分割");
  EXPECT_TRUE(box->state().checkable);
  EXPECT_TRUE(box->state().checked);
  EXPECT_FALSE(Accessible(window.Check1[0])->state().checked);
  // The report tool tip's figures, box by box.
  EXPECT_EQ(Text(window.Check1[2], QAccessible::Description),
            "真の長さ（参照値） = 200\nLength(1000分割) の誤差 = -0.2993（-0.1497%、999点）");
  EXPECT_EQ(Text(window.Check1[0], QAccessible::Description),
            "Length(10分割) はオフで、レポートに載っていません");
  EXPECT_EQ(Text(window.Check2[0], QAccessible::Description),
            "近似オフセット曲線（黄）のずれ = 最大 15（u = 0.5）");
}

TEST_F(Accessibility, KeysPickMoveClampAndReleaseThroughTheMoveHandler) {
  ASSERT_TRUE(window.Picture1->hasFocus());
  const std::string caption = window.windowTitle().toStdString();

  // Nothing grabbed: arrows and Escape do nothing.
  Key(Qt::Key_Right);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Redraws(), 0u);

  Key(Qt::Key_2);
  EXPECT_EQ(window.grabIndex, 1);
  EXPECT_EQ(Redraws(), 1u);
  for (int i = 0; i < 5; ++i) Key(Qt::Key_Right);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Redraws(), 7u) << "one redraw per key";
  EXPECT_EQ(Line(1), "P(1) = ( 155 , 60 )");
  const std::string description = Text(window.Picture1, QAccessible::Description);
  EXPECT_EQ(description.substr(0, description.find('\n')),
            "つかんでいる点 P(1) = ( 155 , 60 )、d(P(0),P(1)) = 105、d(P(1),P(2)) = 90");

  // The move handler's margin holds: 60 - 100 stops at 5, and each key still redraws.
  for (int i = 0; i < 10; ++i) Key(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(Line(1), "P(1) = ( 155 , 5 )");
  EXPECT_EQ(Redraws(), 17u);

  Key(Qt::Key_Escape);
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 18u);
  EXPECT_EQ(window.windowTitle().toStdString(), caption) << "keys leave the caption alone";

  // While a button is held the drag owns the point.
  mouse.Press({100, 100});
  rec.Clear();
  Key(Qt::Key_1);
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 0u);
  mouse.Release();

  // A point picked by key stays through a jitter within the same pixel, and is
  // let go (one redraw) by a move to a new pixel, which then only sets the caption.
  Key(Qt::Key_1);
  rec.Clear();
  mouse.Move({100.2, 99.8});
  EXPECT_EQ(window.grabIndex, 0);
  EXPECT_EQ(Redraws(), 0u);
  mouse.Move({120, 45});
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(window.P[0].x, 50);
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(window.windowTitle().toStdString(), "ベジェ曲線の長さ計算サンプル - (120,45)");

  // A press lets it go first, then grabs as always: two redraws.
  Key(Qt::Key_1);
  rec.Clear();
  mouse.Press({152, 151});
  EXPECT_EQ(window.grabIndex, 2);
  EXPECT_EQ(Redraws(), 2u);
  mouse.Release();
}

TEST_F(Accessibility, DescriptionsAfterAFailingOffsetStep) {
  // P(3) moved onto P(2) by keys: the yellow curve cannot start, the blue one
  // stops at its last sample.
  Key(Qt::Key_4);
  for (int i = 0; i < 10; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
  ASSERT_EQ(Line(3), "P(3) = ( 150 , 150 )");
  const std::string blue =
      "正確なオフセット曲線（青）は t = 1 の点で止まっています（501点中 500点まで）: "
      "接線の長さが0になる t = 1";
  const std::string yellow =
      "近似オフセット曲線（黄）は描けません: 終点の接線 P(2)→P(3) の長さが0のため";
  EXPECT_EQ(Text(window.Picture1, QAccessible::Description),
            "つかんでいる点 P(3) = ( 150 , 150 )、d(P(2),P(3)) = 0\n"
            "制御点 P(0) = ( 50 , 50 )、P(1) = ( 150 , 50 )、P(2) = ( 150 , 150 )、P(3) = ( 150 , "
            "150 )\n" +
                yellow + "\n" + blue);
  EXPECT_EQ(Text(window.Check2[0], QAccessible::Description), yellow);
  EXPECT_EQ(Text(window.Check2[1], QAccessible::Description), blue);
}

TEST_F(Accessibility, TheFocusMarkComesWithTabAndNeverTouchesThePicture) {
  window.Picture1->RedirectDrawing(nullptr);
  const QRect inner = window.Picture1->contentsRect();
  const QImage start = window.Picture1->grab().toImage();
  Key(Qt::Key_Backtab);
  ASSERT_TRUE(window.HScroll1->hasFocus());
  EXPECT_EQ(window.Picture1->grab().toImage(), start);

  Key(Qt::Key_Tab);
  ASSERT_TRUE(window.Picture1->hasFocus());
  const QImage marked = window.Picture1->grab().toImage();
  EXPECT_NE(marked, start);
  EXPECT_EQ(marked.copy(inner), start.copy(inner));

  // Gone at a press, and not back when the focus returns by a click.
  mouse.Press({200, 200});
  mouse.Release();
  EXPECT_EQ(window.Picture1->grab().toImage(), start);
  Key(Qt::Key_Backtab);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  ASSERT_TRUE(window.Check1[0]->hasFocus());
  EXPECT_EQ(window.Picture1->grab().toImage(), start);
  mouse.Press({200, 200});
  mouse.Release();
  ASSERT_TRUE(window.Picture1->hasFocus());
  EXPECT_EQ(window.Picture1->grab().toImage(), start);
}

}  // namespace
