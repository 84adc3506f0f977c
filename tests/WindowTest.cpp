// The window as it opens: captions, initial values, the first report, the
// places of the ten controls, keyboard order, and texts that fit their boxes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <string>
#include <vector>

#include "CaptionRoom.h"
#include "main.h"

namespace {

std::string S(const QString& s) { return s.toStdString(); }

const char* const kStartReport =
    "P(0) = ( 50 , 50 )\r\n"
    "P(1) = ( 150 , 50 )\r\n"
    "P(2) = ( 150 , 150 )\r\n"
    "P(3) = ( 50 , 150 )\r\n"
    "\r\n"
    "d(P(0),P(1)) = 100\r\n"
    "d(P(1),P(2)) = 100\r\n"
    "d(P(2),P(3)) = 100\r\n"
    "Total Length = 300\r\n"
    "\r\n"
    "Length(1000分割) = 199.7007\r\n";

TEST(Window, OpensWithTheDesignedCaptionsValuesAndFirstReport) {
  editor::main window;
  EXPECT_EQ(S(window.windowTitle()), "ベジェ曲線の長さ計算・オフセット曲線サンプル");
  EXPECT_EQ(window.palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(window.grabIndex, -1);

  const char* captions[] = {"10分割", "100分割", "1000分割", "10000分割"};
  const bool ticked[] = {false, false, true, false};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(S(window.Check1[i]->text()), captions[i]);
    EXPECT_EQ(window.Check1[i]->isChecked(), ticked[i]) << i;
  }
  EXPECT_EQ(S(window.Check2[0]->text()), "近似オフセット曲線（黄）");
  EXPECT_EQ(S(window.Check2[1]->text()), "正確なオフセット曲線（青）");
  EXPECT_TRUE(window.Check2[0]->isChecked());
  EXPECT_TRUE(window.Check2[1]->isChecked());

  EXPECT_EQ(window.HScroll1->orientation(), Qt::Horizontal);
  EXPECT_EQ(window.HScroll1->value(), 30);
  EXPECT_EQ(window.HScroll1->minimum(), 0);
  EXPECT_EQ(window.HScroll1->maximum(), 50);
  EXPECT_EQ(window.HScroll1->singleStep(), 1);
  EXPECT_EQ(window.HScroll1->pageStep(), 1);
  EXPECT_EQ(S(window.Label2->text()), "オフセット距離：30");  // full-width colon
  EXPECT_EQ(S(window.Label1->text()), kStartReport);

  // The program's icon, not the window manager's.
  EXPECT_EQ(window.windowIcon().availableSizes(), QList<QSize>{QSize(64, 64)});
}

TEST(Window, TenControlsSitAtTheirDesignedPixelRectangles) {
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.size(), QSize(631, 288));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());

  struct Placed {
    QWidget* widget;
    const char* name;
    QRect rect;
  };
  const Placed design[] = {{window.Picture1, "Picture1", {8, 16, 264, 264}},
                           {window.Label1, "Label1", {280, 16, 177, 265}},
                           {window.Check1[0], "Check1(0)", {464, 16, 81, 17}},
                           {window.Check1[1], "Check1(1)", {464, 40, 81, 17}},
                           {window.Check1[2], "Check1(2)", {464, 64, 81, 17}},
                           {window.Check1[3], "Check1(3)", {464, 88, 89, 17}},
                           {window.Check2[0], "Check2(0)", {464, 152, 145, 17}},
                           {window.Check2[1], "Check2(1)", {464, 176, 153, 17}},
                           {window.HScroll1, "HScroll1", {464, 200, 145, 17}},
                           {window.Label2, "Label2", {464, 224, 145, 25}}};
  for (const Placed& p : design) {
    EXPECT_EQ(window.findChild<QWidget*>(p.name), p.widget) << p.name;
    EXPECT_EQ(p.widget->geometry(), p.rect) << p.name;
    EXPECT_TRUE(p.widget->isVisible()) << p.name;
  }
  EXPECT_EQ(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 10);

  // A 2-pixel border around the 260 x 260 area the program draws on.
  EXPECT_EQ(window.Picture1->contentsRect(), QRect(2, 2, 260, 260));
  EXPECT_EQ(window.Picture1->ScaleWidth(), 260.0f);
  EXPECT_EQ(window.Picture1->ScaleHeight(), 260.0f);
}

TEST(Window, FocusStartsOnThePictureAndTabPassesOverTheLabels) {
  editor::main window;
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(QApplication::focusWidget(), window.Picture1);

  std::vector<std::string> order;
  for (int k = 0; k < 8; ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(S(QApplication::focusWidget()->objectName()));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Check1(0)", "Check1(1)", "Check1(2)", "Check1(3)",
                                             "Check2(0)", "Check2(1)", "HScroll1", "Picture1"}));
  EXPECT_EQ(window.Label1->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(window.Label2->focusPolicy(), Qt::NoFocus);
}

TEST(Window, OnlyAFocusedScrollBarLooksDifferentFromAPlainOne) {
  editor::main window;
  QScrollBar plain(Qt::Horizontal, &window);  // same palette, font and style
  plain.setGeometry(464, 260, 145, 17);
  plain.setRange(0, 50);
  plain.setPageStep(1);
  plain.setValue(30);
  plain.setFocusPolicy(Qt::StrongFocus);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QImage unfocused = plain.grab().toImage();

  EXPECT_EQ(window.HScroll1->grab().toImage(), unfocused);
  // Focused by a click as well as by Tab, it shows a focus rectangle.
  window.HScroll1->setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(window.HScroll1->hasFocus());
  EXPECT_NE(window.HScroll1->grab().toImage(), unfocused);
  window.Picture1->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(window.HScroll1->grab().toImage(), unfocused);
}

// Every line of the report must show whole inside Label1.
void ExpectReportFits(const QLabel* label) {
  const QFontMetrics metrics(label->font());
  const QRect area = label->contentsRect();
  const QString text = label->text();
  for (const QString& line : text.split("\r\n")) {
    EXPECT_LE(metrics.horizontalAdvance(line), area.width()) << S(line);
  }
  const QRect used = metrics.boundingRect(area, Qt::AlignLeft | Qt::AlignTop, text);
  EXPECT_LE(used.width(), area.width());
  EXPECT_LE(used.height(), area.height()) << text.count("\r\n") << " lines";
}

TEST(Window, NoCaptionOrReportLineIsCutOff) {
  editor::main window;
  for (const QCheckBox* box : WindowBoxes(window)) {
    const QRect room = CaptionRoom(box);
    const QFontMetrics metrics = box->fontMetrics();
    EXPECT_LE(metrics.horizontalAdvance(box->text()), room.width()) << S(box->objectName());
    EXPECT_LE(metrics.height(), room.height()) << S(box->objectName());
    EXPECT_TRUE(box->rect().contains(room)) << S(box->objectName());
  }
  EXPECT_LE(window.Label2->sizeHint().width(), window.Label2->width());
  EXPECT_LE(window.Label2->sizeHint().height(), window.Label2->height());

  ExpectReportFits(window.Label1);
  for (QCheckBox* box : window.Check1) box->setChecked(true);
  window.Redraw();
  ASSERT_EQ(window.Label1->text().count("\r\n"), 14);
  ExpectReportFits(window.Label1);
}

}  // namespace
