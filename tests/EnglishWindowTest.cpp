// The window in English: every text fits its designed box with the window's
// own font, the report keeps its lines and figures, and nothing a user reads
// (captions, boxes, Label2, the report, tool tips, screen-reader names and
// descriptions) is left in Japanese.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QTest>
#include <string>
#include <vector>

#include "CaptionRoom.h"
#include "Commands.h"
#include "ConvergenceWindow.h"
#include "Japanese.h"
#include "MouseInput.h"
#include "Tr.h"
#include "main.h"

namespace {

using i18n::Language;
using testing_support::HasJapanese;

struct InEnglish {
  InEnglish() { i18n::SetLanguage(Language::English); }
  ~InEnglish() { i18n::SetLanguage(Language::Japanese); }
};

QStringList Numbers(const QString& line) {
  static const QRegularExpression number(QStringLiteral("-?[0-9]+(\\.[0-9]+)?"));
  QStringList found;
  for (auto it = number.globalMatch(line); it.hasNext();) found << it.next().captured();
  return found;
}

// States that bring out every kind of text: all sums, long figures, the
// yellow curve failing, the blue one stopping, a grabbed point.
std::vector<scene::State> States() {
  std::vector<scene::State> states(5);
  for (scene::State& s : states) s.divisions = {true, true, true, true};
  states[1].P = {{{20, 200}, {90, 15}, {240, 30}, {130, 250}}};
  states[1].dist = 50;
  states[2].P = {{{100, 100}, {100, 100}, {100, 100}, {100, 100}}};
  states[3].P = {{{50, 50}, {50, 50}, {150, 150}, {50, 150}}};
  states[4].P = {{{5, 5}, {255, 255}, {5, 255}, {255, 5}}};
  states[4].dist = 0;
  return states;
}

// Every text the window holds for a reader, with where it came from.
std::vector<std::pair<std::string, QString>> ReadableTexts(editor::main& window) {
  std::vector<std::pair<std::string, QString>> texts{
      {"caption", window.windowTitle()},
      {"tip over Label1", QString::fromStdString(window.LengthAnalysisText())},
      {"tip over Check2(0)", QString::fromStdString(window.DeviationText())},
      {"Picture1 description", QString::fromStdString(window.PictureDescription())}};
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    const std::string name = widget->objectName().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) texts.push_back({name, label->text()});
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      texts.push_back({name, button->text()});
    }
    if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget)) {
      for (const QAccessible::Text t : {QAccessible::Name, QAccessible::Description}) {
        texts.push_back({name + " for a screen reader", accessible->text(t)});
      }
    }
  }
  return texts;
}

TEST(EnglishWindow, EveryTextFitsItsBoxAndTheReportKeepsItsLinesAndFigures) {
  const InEnglish english;
  editor::main window;
  for (const QCheckBox* box : WindowBoxes(window)) {
    const QRect room = CaptionRoom(box);
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), room.width())
        << box->text().toStdString();
  }
  for (int d = 0; d <= 50; ++d) {
    window.HScroll1->setValue(d);
    EXPECT_LE(window.Label2->sizeHint().width(), window.Label2->width())
        << window.Label2->text().toStdString();
  }

  const QFontMetrics metrics(window.Label1->font());
  const int width = window.Label1->contentsRect().width();
  for (const scene::State& state : States()) {
    window.ApplyState(state);
    const QStringList lines = window.Label1->text().split("\r\n");
    i18n::SetLanguage(Language::Japanese);
    window.Redraw();
    const QStringList japanese = window.Label1->text().split("\r\n");
    i18n::SetLanguage(Language::English);
    window.Redraw();
    ASSERT_EQ(lines.size(), japanese.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
      // An English line is never cut off where the Japanese one is not.
      EXPECT_LE(metrics.horizontalAdvance(lines[i]),
                std::max(width, metrics.horizontalAdvance(japanese[i])))
          << lines[i].toStdString();
      EXPECT_EQ(Numbers(lines[i]), Numbers(japanese[i])) << lines[i].toStdString();
      if (!HasJapanese(japanese[i])) {
        EXPECT_EQ(lines[i], japanese[i]);
      }
    }
  }
}

TEST(EnglishWindow, NoTextIsLeftInJapanese) {
  const InEnglish english;
  editor::main window;
  window.show();
  for (const scene::State& state : States()) {
    window.ApplyState(state);
    for (int grabbed : {-1, 1}) {
      if (grabbed >= 0) window.PickPoint(grabbed);
      for (const auto& [where, text] : ReadableTexts(window)) {
        EXPECT_FALSE(HasJapanese(text)) << where << ": " << text.toStdString();
      }
      window.ReleasePoint();
    }
  }
  // The caption that follows the pointer, and Label2 after a change.
  testing_support::MouseInput mouse{*window.Picture1};
  mouse.Move({120, 80});
  window.HScroll1->setValue(7);
  EXPECT_EQ(window.windowTitle().toStdString(), "Bézier curve length - (120,80)");
  EXPECT_EQ(window.Label2->text().toStdString(), "Offset distance: 7");
}

TEST(EnglishWindow, TheHelpAndTheConvergenceWindowAreEnglishToo) {
  const InEnglish english;
  EXPECT_FALSE(HasJapanese(editor::HelpText())) << editor::HelpText().toStdString();
  editor::main window;
  window.ApplyState(States()[0]);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::keyClick(&window, Qt::Key_F2);
  editor::ConvergenceWindow* convergence = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<editor::ConvergenceWindow*>(widget)) convergence = found;
  }
  ASSERT_NE(convergence, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return convergence->TablesComputed() >= 1; }));
  std::vector<QString> texts{convergence->windowTitle()};
  for (QWidget* widget : convergence->findChildren<QWidget*>()) {
    if (auto* label = qobject_cast<QLabel*>(widget)) texts.push_back(label->text());
    texts.push_back(widget->accessibleName());
    texts.push_back(widget->accessibleDescription());
  }
  for (const QString& text : texts) EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
  const auto* rows = convergence->findChild<QLabel*>("ConvergenceRows");
  ASSERT_NE(rows, nullptr);
  EXPECT_TRUE(rows->text().contains("100 div.: 99 samples, length 197.0694"))
      << rows->text().toStdString();
  QTest::keyClick(convergence, Qt::Key_F2);
}

}  // namespace
