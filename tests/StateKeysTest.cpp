// The state keys through real key and mouse events on the shown window:
// undo and redo (the undo scenarios the page runs too), reset, save and open,
// copy and paste, bad files and pastes, and the window as the program opens
// it from its command line.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MouseInput.h"
#include "StateFile.h"
#include "UndoScenarios.h"
#include "WindowArguments.h"
#include "main.h"

namespace {

// Counts the redraws of every window from the moment it is made, as the
// busy captions they show ("計算中...").
class RedrawCounter : public QObject {
 public:
  RedrawCounter() { qApp->installEventFilter(this); }
  ~RedrawCounter() override { qApp->removeEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::WindowTitleChange && widget != nullptr && widget->isWindow() &&
        widget->windowTitle() == QString::fromUtf8(editor::kBusyCaption)) {
      ++count;
    }
    return false;
  }
};

// What the window shows: the report, the distance label and the picture.
struct Shown {
  QString report;
  QString label;
  QImage picture;
  bool operator==(const Shown&) const = default;
};

class StateKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    start = Now();
  }

  Shown Now() const {
    return {window.Label1->text(), window.Label2->text(), window.Picture1->Raster().Picture()};
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.windowHandle(), key, modifiers);
  }
  void Drag(QPointF from, QPointF to) {
    mouse.Press(from);
    mouse.Move(to);
    mouse.Release();
  }
  // Runs `answer` on the modal dialog of type D once it is shown, again and
  // again until it says it has closed the dialog.
  template <class D>
  void Answer(std::function<bool(D*)> answer) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
      auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
      if (dialog != nullptr && answer(dialog)) poll->deleteLater();
    });
    poll->start(10);
  }
  // The file dialog's answer: `path` chosen and typed as the file name (a
  // focused name field ignores selectFile, a selection in the list outranks
  // the field). The dialog lists its folder in the background and may select
  // a file of its own meanwhile, so the choice is made until it holds.
  void ChooseFile(const QString& path) {
    Answer<QFileDialog>([path](QFileDialog* files) {
      files->selectFile(path);
      files->findChild<QLineEdit*>("fileNameEdit")->setText(path);
      const QString chosen = files->selectedFiles().value(0);
      if (chosen != path && chosen != path + ".bezierlab") return false;
      static_cast<QDialog*>(files)->accept();  // QFileDialog hides it
      return true;
    });
  }
  // Presses `key` and returns the text of the message box it shows.
  QString Refused(Qt::Key key) {
    QString text;
    Answer<QMessageBox>([&text](QMessageBox* box) {
      text = box->text();
      box->accept();
      return true;
    });
    Key(key);
    return text;
  }

  editor::main window;
  testing_support::MouseInput mouse{*window.Picture1};
  Shown start;
  QTemporaryDir dir;
};

TEST_F(StateKeys, UndoAndRedoReturnExactlyAcrossADragABoxAndTheDistance) {
  RedrawCounter redraws;
  Drag({150, 150}, {200, 120});
  const Shown dragged = Now();
  const int dragRedraws = redraws.count;
  EXPECT_EQ(dragRedraws, 3) << "press, move and release redraw as before";
  QTest::mouseClick(window.Check1[0], Qt::LeftButton);
  const Shown ticked = Now();
  window.HScroll1->setFocus();
  Key(Qt::Key_Right, Qt::NoModifier);
  const Shown moved = Now();
  EXPECT_EQ(window.HScroll1->value(), 31);
  EXPECT_EQ(redraws.count, dragRedraws + 2) << "recording a step redraws nothing";

  // Each undo shows exactly what the window showed before that step, with
  // one redraw each; beyond the first step there is nothing to undo.
  Key(Qt::Key_Z);
  EXPECT_EQ(Now().report, ticked.report);
  EXPECT_EQ(Now().picture, ticked.picture);
  EXPECT_EQ(window.Label2->text().toStdString(), "オフセット距離:30");
  EXPECT_EQ(redraws.count, dragRedraws + 3);
  Key(Qt::Key_Z);
  EXPECT_EQ(Now().report, dragged.report);
  EXPECT_EQ(Now().picture, dragged.picture);
  EXPECT_FALSE(window.Check1[0]->isChecked());
  Key(Qt::Key_Z);
  EXPECT_EQ(Now().report, start.report);
  EXPECT_EQ(Now().picture, start.picture);
  EXPECT_EQ(window.P, scene::kStartPoints);
  Key(Qt::Key_Z);
  EXPECT_EQ(window.P, scene::kStartPoints);

  Key(Qt::Key_Y);
  EXPECT_EQ(Now().picture, dragged.picture);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Now().picture, ticked.picture);
  Key(Qt::Key_Y);
  EXPECT_EQ(Now(), moved);
  EXPECT_EQ(window.grabIndex, -1);
}

TEST_F(StateKeys, ConsecutiveKeyMovesOfOnePointMergeIntoOneStep) {
  QTest::mouseClick(window.Check2[1], Qt::LeftButton);
  const Shown unticked = Now();
  window.Picture1->setFocus();
  Key(Qt::Key_2, Qt::NoModifier);
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Right, Qt::NoModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_EQ(window.P[1].x, 153);
  EXPECT_EQ(window.P[1].y, 60);
  Key(Qt::Key_Z);  // the four moves of P(1) at once
  EXPECT_EQ(Now(), unticked);
  Key(Qt::Key_Y);
  EXPECT_EQ(window.P[1].x, 153);
  EXPECT_EQ(window.P[1].y, 60);
  Key(Qt::Key_Z);
  Key(Qt::Key_Z);  // then the box
  EXPECT_EQ(Now().picture, start.picture);
}

TEST_F(StateKeys, ResetIsOneStepBackToTheStartState) {
  Drag({50, 50}, {30, 220});
  window.HScroll1->setFocus();
  Key(Qt::Key_End, Qt::NoModifier);
  const Shown changed = Now();
  Key(Qt::Key_R);
  EXPECT_EQ(Now().report, start.report);
  EXPECT_EQ(Now().picture, start.picture);
  EXPECT_EQ(window.HScroll1->value(), 30);
  EXPECT_EQ(window.windowTitle().toStdString(), "ベジェ曲線の長さ計算サンプル - (30,220)");
  Key(Qt::Key_Z);
  EXPECT_EQ(Now(), changed);
}

// The second press of a double click holds the point as a press does: undo,
// redo and reset are ignored until the last button-up, not applied under the
// held point.
TEST_F(StateKeys, StateKeysWaitForTheReleaseOfADoubleClickDrag) {
  QTest::mouseClick(window.Check1[0], Qt::LeftButton);
  const Shown ticked = Now();
  mouse.Press({150, 150});
  mouse.Release();
  QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;  // at once: a double click
  mouse.Press({150, 150});
  mouse.Move({200, 120});
  EXPECT_EQ(window.grabIndex, 2);
  const Shown dragging = Now();
  for (Qt::Key key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_R}) {
    Key(key);
    EXPECT_EQ(Now(), dragging) << "key " << key;
  }
  mouse.Release();
  EXPECT_EQ(window.P[2], (geometry::IntPoint{200, 120}));
  EXPECT_TRUE(window.Check1[0]->isChecked());
  Key(Qt::Key_Z);  // the drag is one step
  EXPECT_EQ(Now(), ticked);
}

// The drawing area's keys wait for the buttons the area holds, not for one
// held anywhere else.
TEST_F(StateKeys, PointKeysWaitOnlyForTheAreasOwnButtons) {
  window.Picture1->setFocus();
  const QPoint label = window.Label1->mapTo(&window, window.Label1->rect().center());
  mouse.Press(QPointF(label) - mouse.InWindow({0, 0}), Qt::RightButton);
  Key(Qt::Key_2, Qt::NoModifier);
  Key(Qt::Key_Right, Qt::NoModifier);
  mouse.Release(Qt::RightButton);
  EXPECT_EQ(window.P[1], (geometry::IntPoint{151, 50}));
}

TEST_F(StateKeys, SaveThenOpenGivesTheSameStateByteForByte) {
  Drag({150, 50}, {240, 20});
  QTest::mouseClick(window.Check1[3], Qt::LeftButton);
  QTest::mouseClick(window.Check2[0], Qt::LeftButton);
  const Shown saved = Now();
  const scene::State state = window.CurrentState();

  ChooseFile(dir.filePath("lesson"));  // the dialog adds .bezierlab
  Key(Qt::Key_S);
  QFile file(dir.filePath("lesson.bezierlab"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(state::SameWindowState(std::get<scene::State>(state::ParseStateFile(bytes)), state));

  Key(Qt::Key_R);
  Key(Qt::Key_S);  // the same file again, no dialog: now the start state
  QFile replaced(file.fileName());
  ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
  EXPECT_NE(replaced.readAll(), bytes);

  Key(Qt::Key_Z);  // the reset undone
  EXPECT_EQ(Now().report, saved.report);
  ChooseFile(dir.filePath("again.bezierlab"));
  Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QFile again(dir.filePath("again.bezierlab"));
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_EQ(again.readAll(), bytes);

  Key(Qt::Key_R);
  ChooseFile(dir.filePath("again.bezierlab"));
  Key(Qt::Key_O);
  EXPECT_EQ(Now().report, saved.report);
  EXPECT_EQ(Now().picture, saved.picture);
  Key(Qt::Key_Z);
  EXPECT_EQ(Now().report, start.report);
}

TEST_F(StateKeys, ABadFileOrPasteChangesNothing) {
  Drag({50, 150}, {60, 140});
  const Shown before = Now();
  const std::vector<std::pair<QByteArray, const char*>> files{
      {"not json", "JSON として読めません"},
      {R"({"points": []})", "\"state\" メンバーがありません"},
      {R"({"state": {"distance": "12"}})", "\"distance\""},
      {R"({"state": {"colour": 1}})", "\"colour\""},
      {R"({"state": {"points": [[50,50],[150,50],[150,300],[50,150]]}})", "P(2) の y = 300"},
      {R"({"state": {"distance": 12.5}})", "0 から 50 の整数"},
  };
  // Each file in turn: the dialog, then the message box that names it.
  for (const auto& [bytes, named] : files) {
    QFile file(dir.filePath("bad.bezierlab"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    ChooseFile(file.fileName());
    const QString message = Refused(Qt::Key_O);
    EXPECT_TRUE(message.contains(QString::fromUtf8(named))) << message.toStdString();
    // Named as the file it is, also when its state is beyond the window's reach.
    EXPECT_TRUE(message.startsWith(
        QString::fromStdString("状態ファイル「" + state::Shown(file.fileName()) + "」: ")))
        << message.toStdString();
    EXPECT_EQ(Now(), before);
  }
  for (const char* text : {"hello", "--distance 60", "--points 1,2,3", R"({"state": 3})"}) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
    EXPECT_FALSE(Refused(Qt::Key_V).isEmpty()) << text;
    EXPECT_EQ(Now(), before);
  }
  // A dialog gives a name whose bytes are no UTF-8 with U+FFFD in their place:
  // refused, rather than saved under that other name.
  const QString replaced = dir.filePath(QStringLiteral("caf\uFFFD.bezierlab"));
  ChooseFile(replaced);
  EXPECT_TRUE(Refused(Qt::Key_S).contains(QStringLiteral("UTF-8 でないバイト")));
  EXPECT_FALSE(QFile::exists(replaced));
  // Nothing was recorded: one undo goes back before the drag.
  Key(Qt::Key_Z);
  EXPECT_EQ(Now().picture, start.picture);
}

TEST_F(StateKeys, ACopiedStateLinePastesBack) {
  Drag({150, 150}, {100, 100});
  QTest::mouseClick(window.Check1[2], Qt::LeftButton);
  const Shown copied = Now();
  Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "--points 50,50,150,50,100,100,50,150 --divisions= --distance 30");
  Key(Qt::Key_R);
  Key(Qt::Key_V);
  EXPECT_EQ(Now().report, copied.report);
  EXPECT_EQ(Now().picture, copied.picture);
  // A state file's JSON pastes too.
  QGuiApplication::clipboard()->setText(R"({"state": {"distance": 7}, "report": "ignored"})");
  Key(Qt::Key_V);
  EXPECT_EQ(window.HScroll1->value(), 7);
  EXPECT_EQ(window.Label2->text().toStdString(), "オフセット距離:7");
}

// The undo scenarios through the window's own events: the mouse over the
// area, its keys with the focus there, the boxes clicked, the thumb dragged a
// pixel at a time, the state keys.
class WindowFront final : public undo_scenarios::FrontEnd {
 public:
  WindowFront() {
    window_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  void Run(const undo_scenarios::Event& event) override {
    using undo_scenarios::Do;
    QScrollBar* bar = window_.HScroll1;
    const QPointF at(event.a, event.b);
    switch (event.what) {
      case Do::Press:
        mouse_.Press(at, Button(event.button));
        break;
      case Do::Move:
        mouse_.Move(at);
        break;
      case Do::Release:
        mouse_.Release(Button(event.button));
        break;
      case Do::Pick:
        PictureKey(Qt::Key(Qt::Key_1 + event.a), Qt::NoModifier);
        break;
      case Do::KeyMove:
        PictureKey(event.a > 0   ? Qt::Key_Right
                   : event.a < 0 ? Qt::Key_Left
                   : event.b > 0 ? Qt::Key_Down
                                 : Qt::Key_Up,
                   std::abs(event.a + event.b) == 10 ? Qt::ShiftModifier : Qt::NoModifier);
        break;
      case Do::Box:
        QTest::mouseClick(event.a < 4 ? window_.Check1[event.a] : window_.Check2[event.a - 4],
                          Qt::LeftButton);
        break;
      case Do::ThumbPress:
        thumb_ = testing_support::Part(bar, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb_);
        break;
      case Do::ThumbTo:
        for (int i = 0; i < 1000 && bar->value() != event.a; ++i) {
          thumb_.rx() += bar->value() < event.a ? 1 : -1;
          QTest::mouseMove(bar, thumb_);
        }
        break;
      case Do::ThumbRelease:
        QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb_);
        break;
      case Do::Undo:
        Key(Qt::Key_Z, Qt::ControlModifier);
        break;
      case Do::Redo:
        Key(Qt::Key_Y, Qt::ControlModifier);
        break;
      case Do::Reset:
        Key(Qt::Key_R, Qt::ControlModifier);
        break;
    }
  }
  scene::State Shown() override { return window_.CurrentState(); }

 private:
  static Qt::MouseButton Button(int code) {
    return code == 2 ? Qt::RightButton : code == 4 ? Qt::MiddleButton : Qt::LeftButton;
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::keyClick(window_.windowHandle(), key, modifiers);
  }
  void PictureKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    window_.Picture1->setFocus();
    Key(key, modifiers);
  }

  editor::main window_;
  testing_support::MouseInput mouse_{*window_.Picture1};
  QPoint thumb_;
};

class WindowScenarios : public ::testing::TestWithParam<undo_scenarios::Scenario> {};

TEST_P(WindowScenarios, UndoStepsAsOnThePage) {
  WindowFront front;
  undo_scenarios::Run(front, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Undo, WindowScenarios, ::testing::ValuesIn(undo_scenarios::Scenarios()),
                         undo_scenarios::NameOf);

TEST(StartWindow, NoArgumentsRedrawOnceAndAStateOpensAfterFormLoad) {
  RedrawCounter redraws;
  auto plain = std::get<state::WindowStart>(state::ReadWindowArguments({"bezierlab"}));
  const auto window = editor::OpenWindow(plain);
  EXPECT_EQ(redraws.count, 1);
  EXPECT_EQ(window->Label2->text().toStdString(), "オフセット距離：30");

  QTemporaryDir dir;
  QFile file(dir.filePath("start.bezierlab"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"state": {"points": [[5,5],[255,5],[255,255],[5,255]], "distance": 12,
                 "grabbed": 2, "accurate": false}})");
  file.close();
  redraws.count = 0;
  auto given = std::get<state::WindowStart>(
      state::ReadWindowArguments({"bezierlab", "--distance", "20", file.fileName()}));
  const auto opened = editor::OpenWindow(given);
  EXPECT_EQ(redraws.count, 2) << "Form_Load, then the state";
  EXPECT_EQ(opened->P[2], (geometry::IntPoint{255, 255}));
  EXPECT_EQ(opened->grabIndex, -1);
  EXPECT_FALSE(opened->Check2[1]->isChecked());
  EXPECT_EQ(opened->Label2->text().toStdString(), "オフセット距離:20");
  EXPECT_EQ(opened->windowTitle().toStdString(), editor::kDesignCaption);

  const auto refused = [](const QStringList& arguments) {
    return std::get<state::StartError>(state::ReadWindowArguments(arguments));
  };
  EXPECT_FALSE(refused({"bezierlab", "--distance", "60"}).aboutFile);
  // An option out of reach beside a good FILE is a usage error; a FILE out of
  // reach is the file's, even when an option would override the value.
  EXPECT_FALSE(refused({"bezierlab", "--distance", "60", file.fileName()}).aboutFile);
  QFile far(dir.filePath("far.bezierlab"));
  ASSERT_TRUE(far.open(QIODevice::WriteOnly));
  far.write(R"({"state": {"distance": 60}})");
  far.close();
  const state::StartError farFile = refused({"bezierlab", "--distance", "20", far.fileName()});
  EXPECT_TRUE(farFile.aboutFile);
  EXPECT_NE(farFile.message.find("60"), std::string::npos) << farFile.message;
  EXPECT_FALSE(refused({"bezierlab", "--points", "1,2"}).aboutFile);
  EXPECT_TRUE(refused({"bezierlab", dir.filePath("missing.bezierlab")}).aboutFile);
  const state::StartError beyond = refused({"bezierlab", "--points", "4,5,5,5,5,5,5,5"});
  EXPECT_EQ(beyond.message, "P(0) の x = 4 はウィンドウで動かせる範囲（5 から 255）の外です");
}

}  // namespace
