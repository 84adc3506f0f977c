// The state keys through real key and mouse events on the shown window:
// undo and redo, reset, save and open, copy and paste, bad files and pastes,
// and the window as the program opens it from its command line.

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
