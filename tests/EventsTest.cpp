// Pointer editing and the control events, driven through real Qt events on
// the shown window. Redraws are counted as the Cls calls they begin with.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "MouseInput.h"
#include "RecordingSurface.h"
#include "main.h"

namespace {

using geometry::IntPoint;
using testing_support::Call;
using testing_support::Part;

std::string Str(IntPoint p) {
  std::string s = "(";
  s += std::to_string(p.x);
  s += ",";
  s += std::to_string(p.y);
  s += ")";
  return s;
}

std::string Pointer(const char* position) {
  return std::string("ベジェ曲線の長さ計算サンプル - ") + position;
}

class Events : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.Picture1->RedirectDrawing(&rec);
  }
  void TearDown() override { window.Picture1->RedirectDrawing(nullptr); }

  // Real mouse input through the top-level window, see MouseInput.h.
  void Press(QPointF at, Qt::MouseButton button = Qt::LeftButton) { mouse.Press(at, button); }
  void Move(QPointF at) { mouse.Move(at); }
  void Release(Qt::MouseButton button = Qt::LeftButton) { mouse.Release(button); }
  // A move that arrives with no button held, straight at the drawing area.
  void MoveWithoutButton(QPoint at) {
    const QPoint local = at + window.Picture1->contentsRect().topLeft();
    QMouseEvent move(QEvent::MouseMove, local, window.Picture1->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.Picture1, &move);
  }

  // A key as the window system delivers it, to the focused control.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.windowHandle(), key, modifiers);
  }

  std::size_t Redraws() const { return rec.Count("Cls"); }
  std::string Caption() const { return window.windowTitle().toStdString(); }
  // Fill style of the four control-point circles of the latest redraw.
  std::vector<int> PointFills() const {
    std::vector<int> fills;
    for (const Call& c : rec.calls) {
      if (c.op == "Cls") fills.clear();
      if (c.op == "Circle" && fills.size() < 4) fills.push_back(c.fill);
    }
    return fills;
  }

  editor::main window;
  testing_support::RecordingSurface rec;

  testing_support::MouseInput mouse{*window.Picture1};
};

TEST_F(Events, APressGrabsOnlyWithinReach) {
  // Exactly 4 pixels away, or diagonally beyond, is out of reach.
  for (QPoint miss : {QPoint(54, 50), QPoint(50, 46), QPoint(53, 53), QPoint(100, 100)}) {
    rec.Clear();
    Press(miss);
    EXPECT_EQ(window.grabIndex, -1) << miss.x() << "," << miss.y();
    const std::string caption = Caption();
    Release();
    EXPECT_EQ(Redraws(), 1u) << "only the press redraws";
    EXPECT_EQ(Caption(), caption);
  }

  // A click on P(0): filled at the press, open again at the release, never moved.
  rec.Clear();
  Press({52, 53});
  EXPECT_EQ(window.grabIndex, 0);
  EXPECT_EQ(Str(window.P[0]), "(50,50)");
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(PointFills(), (std::vector<int>{0, 1, 1, 1}));
  Release();
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 2u);
  EXPECT_EQ(PointFills(), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(Str(window.P[0]), "(50,50)");

  // A double click is two button-downs: one redraw each, and one per release.
  rec.Clear();
  QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                     window.Picture1->mapTo(&window, QPoint(2 + 100, 2 + 100)));
  EXPECT_EQ(Redraws(), 2u);
}

TEST_F(Events, ADragPutsThePointAtThePointerWithinTheMargins) {
  Press({52, 53});
  rec.Clear();
  Move({60, 60});
  EXPECT_EQ(Str(window.P[0]), "(60,60)");  // the pointer itself, not (58,57)
  EXPECT_EQ(Caption(), Pointer("(60,60)"));
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(PointFills(), (std::vector<int>{0, 1, 1, 1}));

  // Beyond the edges: the point stops 5 pixels inside, the caption does not.
  Move({-20, 300});
  EXPECT_EQ(Str(window.P[0]), "(5,255)");
  EXPECT_EQ(Caption(), Pointer("(-20,300)"));
  Move({300, -7});
  EXPECT_EQ(Str(window.P[0]), "(255,5)");
  EXPECT_EQ(Caption(), Pointer("(300,-7)"));
  Move({5, 255});
  EXPECT_EQ(Str(window.P[0]), "(5,255)");
  EXPECT_EQ(Redraws(), 4u);

  // With the button-up lost, a move without a button still drags.
  MoveWithoutButton({70, 80});
  EXPECT_EQ(Str(window.P[0]), "(70,80)");
  EXPECT_EQ(Redraws(), 5u);

  Release();
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 6u);
  EXPECT_EQ(Caption(), Pointer("(70,80)"));
}

TEST_F(Events, AMoveWithNothingGrabbedOnlyRewritesTheCaption) {
  const QString report = window.Label1->text();
  Move({120, 45});
  EXPECT_EQ(Caption(), Pointer("(120,45)"));
  Move({0, 259});
  EXPECT_EQ(Caption(), Pointer("(0,259)"));
  EXPECT_EQ(Redraws(), 0u);
  EXPECT_EQ(window.Label1->text(), report);
  EXPECT_EQ(Str(window.P[0]), "(50,50)");
}

TEST_F(Events, PointerPositionsKeepTheirFraction) {
  // Seen at (54,50) this press would be exactly out of reach of P(0).
  Press({53.6, 50});
  EXPECT_EQ(window.grabIndex, 0);
  // Ties round to even, in the point and the caption alike.
  Move({10.5, 11.5});
  EXPECT_EQ(Str(window.P[0]), "(10,12)");
  EXPECT_EQ(Caption(), Pointer("(10,12)"));
  Release();
  Move({12.5, 13.5});
  EXPECT_EQ(Caption(), Pointer("(12,14)"));
}

TEST_F(Events, HighestIndexWinsAndAnyButtonUpEndsTheDrag) {
  // Every button grabs: drag P(1) onto P(2) with the right one.
  Press({150, 50}, Qt::RightButton);
  EXPECT_EQ(window.grabIndex, 1);
  Move({150, 150});
  Release(Qt::RightButton);
  EXPECT_EQ(Str(window.P[1]), "(150,150)");

  // On coincident points the higher index wins, also for a further press
  // during a drag; a further press out of reach keeps the dragged point.
  Press({150, 150});
  EXPECT_EQ(window.grabIndex, 2);
  Move({50, 150});
  Press({50, 150}, Qt::RightButton);
  EXPECT_EQ(window.grabIndex, 3);
  Move({-30, 150});
  EXPECT_EQ(Str(window.P[3]), "(5,150)");
  Press({-30, 150}, Qt::MiddleButton);
  EXPECT_EQ(window.grabIndex, 3);

  // Releasing one button ends the drag while the others are still held.
  rec.Clear();
  Release(Qt::MiddleButton);
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 1u);
  Move({100, 100});
  Release(Qt::RightButton);
  Release(Qt::LeftButton);
  EXPECT_EQ(Redraws(), 1u);
  EXPECT_EQ(Str(window.P[2]), "(50,150)");
  EXPECT_EQ(Str(window.P[3]), "(5,150)");
  EXPECT_EQ(Caption(), Pointer("(100,100)"));
}

TEST_F(Events, EachCheckBoxClickRedrawsOnce) {
  std::vector<QCheckBox*> boxes{window.Check1.begin(), window.Check1.end()};
  boxes.insert(boxes.end(), window.Check2.begin(), window.Check2.end());
  for (QCheckBox* box : boxes) {
    rec.Clear();
    const bool was = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_NE(box->isChecked(), was) << box->objectName().toStdString();
    EXPECT_EQ(Redraws(), 1u) << box->objectName().toStdString();
  }
  // 10, 100 and 10000 divisions now, and no offset curve.
  const std::string report = window.Label1->text().toStdString();
  EXPECT_EQ(report.substr(report.find("Total")),
            "Total Length = 300\r\n\r\nLength(10分割) = 201\r\nLength(100分割) = 197.0694\r\n"
            "Length(10000分割) = 200\r\n");
  EXPECT_EQ(rec.Count("PolyBezier"), 1u);
  EXPECT_EQ(rec.Count("LineTo"), 0u);

  rec.Clear();
  QTest::mouseClick(window.Label1, Qt::LeftButton);
  QTest::mouseClick(window.Label2, Qt::LeftButton);
  EXPECT_EQ(Redraws(), 0u);
}

TEST_F(Events, TheScrollBarSetsTheDistance) {
  QScrollBar* bar = window.HScroll1;
  bar->setValue(20);
  EXPECT_EQ(window.Label2->text().toStdString(), "オフセット距離:20");  // ASCII colon
  EXPECT_EQ(Redraws(), 1u);
  std::vector<Call> drawing = rec.Drawing();
  ASSERT_GE(drawing.size(), 11u);
  // The yellow curve follows the nine calls of the plain scene; its ends and
  // those of the blue polyline lie 20 pixels off the curve's ends.
  EXPECT_EQ(drawing[9].op, "PolyBezier");
  EXPECT_EQ(drawing[9].args[0], 50);
  EXPECT_EQ(drawing[9].args[1], 30);
  EXPECT_EQ(drawing[9].args[6], 50);
  EXPECT_EQ(drawing[9].args[7], 170);
  EXPECT_EQ(drawing.back().op, "LineTo");
  EXPECT_EQ(drawing.back().args, (std::vector<double>{50, 170}));

  // One click on the left arrow: one step, one redraw.
  const QRect left = Part(bar, QStyle::SC_ScrollBarSubLine);
  rec.Clear();
  QTest::mouseClick(bar, Qt::LeftButton, {}, left.center());
  EXPECT_EQ(bar->value(), 19);
  EXPECT_EQ(window.Label2->text().toStdString(), "オフセット距離:19");
  EXPECT_EQ(Redraws(), 1u);

  // Dragging the thumb: one redraw per value it passes through, none at the release.
  const QRect thumb = Part(bar, QStyle::SC_ScrollBarSlider);
  QSignalSpy changes(bar, &QScrollBar::valueChanged);
  rec.Clear();
  QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
  QTest::mouseMove(bar, thumb.center() + QPoint(6, 0));
  QTest::mouseMove(bar, thumb.center() + QPoint(12, 0));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb.center() + QPoint(12, 0));
  EXPECT_GT(bar->value(), 19);
  EXPECT_EQ(Redraws(), static_cast<std::size_t>(changes.count()));
  EXPECT_EQ(window.Label2->text(), "オフセット距離:" + QString::number(bar->value()));

  // The ends hold.
  bar->setValue(0);
  rec.Clear();
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->value(), 0);
  bar->setValue(50);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar->value(), 50);
  EXPECT_EQ(Redraws(), 1u);
}

// An error leaving a handler is dropped where the handler is connected: the
// event is lost, the program goes on, and what the handler did first stays.
TEST_F(Events, AnErrorLeavingAHandlerDropsOnlyThatEvent) {
  const std::string caption = Caption();
  emit window.Picture1->MouseDown(1, 0, std::nanf(""), 50);
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 0u);
  emit window.Picture1->MouseMove(0, 0, 3e9f, 50);  // beyond the 32-bit range
  EXPECT_EQ(Caption(), caption);

  Press({52, 53});
  emit window.Picture1->MouseMove(1, 0, 70, -3e9f);  // x is rounded before y fails
  EXPECT_EQ(Str(window.P[0]), "(50,50)");
  Move({60, 61});
  EXPECT_EQ(Str(window.P[0]), "(60,61)");
  Release();
  EXPECT_EQ(Redraws(), 3u);
}

TEST_F(Events, ScrollBarKeysStepOnceAndRedrawOnce) {
  QScrollBar* bar = window.HScroll1;
  bar->setFocus();
  struct Stroke {
    Qt::Key key;
    int from, to;
  };
  // Right, Down and PageDown add a step, Left, Up and PageUp take one away;
  // Home and End go to the ends. At an end a key changes nothing.
  const Stroke strokes[] = {
      {Qt::Key_Right, 30, 31}, {Qt::Key_Left, 30, 29},     {Qt::Key_Down, 30, 31},
      {Qt::Key_Up, 30, 29},    {Qt::Key_PageDown, 30, 31}, {Qt::Key_PageUp, 30, 29},
      {Qt::Key_Home, 30, 0},   {Qt::Key_End, 30, 50},      {Qt::Key_Left, 0, 0},
      {Qt::Key_Up, 0, 0},      {Qt::Key_PageUp, 0, 0},     {Qt::Key_Home, 0, 0},
      {Qt::Key_Right, 50, 50}, {Qt::Key_Down, 50, 50},     {Qt::Key_PageDown, 50, 50},
      {Qt::Key_End, 50, 50}};
  for (const Stroke& k : strokes) {
    bar->setValue(k.from);
    const QString label = window.Label2->text();
    rec.Clear();
    Key(k.key);
    // QTest::toString hands over a string of its own, allocated with new[].
    const std::unique_ptr<char[]> owned(QTest::toString(k.key));
    const std::string name = owned.get();
    EXPECT_EQ(bar->value(), k.to) << name << " from " << k.from;
    EXPECT_EQ(Redraws(), k.from == k.to ? 0u : 1u) << name << " from " << k.from;
    EXPECT_EQ(window.Label2->text(),
              k.from == k.to ? label : "オフセット距離:" + QString::number(k.to))
        << name;
  }

  // The wheel turns the bar as it turns a plain QScrollBar.
  QScrollBar plain(Qt::Horizontal);
  plain.setRange(0, 50);
  plain.setPageStep(1);
  for (int notch : {120, -120, 240}) {
    bar->setValue(30);
    plain.setValue(30);
    rec.Clear();
    for (QScrollBar* b : {bar, &plain}) {
      const QPointF at = b->rect().center();
      QWheelEvent wheel(at, b->mapToGlobal(at), {}, {0, notch}, {}, {}, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(b, &wheel);
    }
    EXPECT_NE(bar->value(), 30) << notch;
    EXPECT_EQ(bar->value(), plain.value()) << notch;
    EXPECT_EQ(Redraws(), 1u) << notch;
  }
}

TEST_F(Events, NoControlOpensAContextMenu) {
  // Any popup that opens is counted and closed again at once.
  int menus = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&menus] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
      ++menus;
    }
  });
  watch.start(0);
  QList<QWidget*> all = window.findChildren<QWidget*>();
  all.append(&window);
  for (QWidget* w : all) {
    const QPoint centre = w->rect().center();
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, centre, w->mapToGlobal(centre));
    QCoreApplication::sendEvent(w, &keyboard);
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, w->mapTo(&window, centre));
  }
  EXPECT_EQ(menus, 0);
}

// Only the 260 x 260 inner area is the drawing area, to the exact position;
// the 2-pixel border around it reports nothing unless a drag began inside.
TEST_F(Events, TheBorderReportsNothingUnlessADragBeganInside) {
  const std::string design = Caption();
  for (QPointF border :
       {QPointF(-1, 100), QPointF(100, -0.25), QPointF(260, 100), QPointF(259.75, 261.75)}) {
    Move(border);
    Press(border);
    Release();
  }
  EXPECT_EQ(Caption(), design);
  // Pressed on the border, a button held into the area grabs nothing.
  Press({-1, 50});
  Move({52, 53});
  EXPECT_EQ(Caption(), Pointer("(52,53)"));
  Release();
  EXPECT_EQ(window.grabIndex, -1);
  EXPECT_EQ(Redraws(), 0u);

  // A drag from inside goes on over the border, further buttons included,
  // for as long as its own button is held.
  Press({52, 53});
  Move({-1, 100});
  EXPECT_EQ(Str(window.P[0]), "(5,100)");
  Press({-1, 100}, Qt::RightButton);
  Release(Qt::RightButton);
  EXPECT_EQ(window.grabIndex, -1);
  Move({259.75, 260});
  EXPECT_EQ(Caption(), Pointer("(260,260)"));
  Release();
  Move({-1, 98});
  EXPECT_EQ(Caption(), Pointer("(260,260)"));
  EXPECT_EQ(Redraws(), 4u);
}

TEST_F(Events, TheCopyKeyPutsReportAndPictureOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  window.HScroll1->setFocus();
  Key(Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text().toStdString(), window.Label1->text().toStdString());
  EXPECT_EQ(data->text().count("\r\n"), 11);
  EXPECT_EQ(qvariant_cast<QImage>(data->imageData()), window.Picture1->Raster().Picture());
  EXPECT_EQ(window.Picture1->Raster().Picture().size(), QSize(260, 260));
  EXPECT_EQ(Redraws(), 0u);
}

}  // namespace
