// Renders the window in any state to a PNG, and prints its report.
//
//   screenshot [--points x0,y0,...,x3,y3] [--grabbed I] [--divisions 10,1000]
//              [--no-approximate] [--no-accurate] [--distance D] [--focus NAME]
//              [--area] [--report] [--language ja|en] [OUTPUT.png]
//
// Without options it saves the start window. The state is set on the real
// window through main::ApplyState, as every state enters it; then grabIndex is
// set and, with --distance, the scroll bar's change handler runs once, as a
// user's move would, so Label2 shows the distance text. --focus gives the control
// of that name (HScroll1, Check1(0), Picture1, ...) the keyboard focus as Tab
// gives it, for controls that show it. --area saves only the
// 260 x 260 inner drawing area, --report prints the report exactly as the
// window holds it (CR LF line ends). The window speaks the language of the
// locale variables, or of --language, as bezierlab does.
// Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen) or any other.

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPixmap>
#include <QStringList>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Appearance.h"
#include "PathBytes.h"
#include "Pointer.h"
#include "ReadWhole.h"
#include "RuntimeFolder.h"
#include "StateFile.h"
#include "StateOptions.h"
#include "Tr.h"
#include "WholeFiles.h"
#include "main.h"

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "screenshot: %s\n", qUtf8Printable(message));
  return 2;
}

// The state the options choose, read and checked exactly as bezierlab-report
// reads the same options.
std::variant<scene::State, QString> ChosenState(const QCommandLineParser& parser) {
  QStringList arguments{QStringLiteral("screenshot")};
  for (const char* name : {"points", "grabbed", "divisions", "distance"}) {
    if (parser.isSet(name)) arguments << QStringLiteral("--%1=%2").arg(name, parser.value(name));
  }
  for (const char* name : {"no-approximate", "no-accurate"}) {
    if (parser.isSet(name)) arguments << QStringLiteral("--%1").arg(name);
  }
  const auto parsed = state::ParseState(arguments);
  if (const auto* chosen = std::get_if<scene::State>(&parsed)) return *chosen;
  return QString::fromStdString(std::get_if<state::UsageError>(&parsed)->message);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Before Qt Gui starts: a usable runtime folder, so Qt prints nothing.
  const files::PrivateRuntimeFolder runtime("screenshot");
  QApplication app(argc, argv);
  std::vector<std::string> words;
  for (const QString& argument : QCoreApplication::arguments())
    words.push_back(argument.toStdString());
  if (const auto error = i18n::StartLanguage(words)) return Fail(QString::fromStdString(*error));
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Renders the window in the given state to OUTPUT.png and/or prints its report.");
  parser.addHelpOption();
  const QCommandLineOption points("points", "The four control points.", "x0,y0,x1,y1,x2,y2,x3,y3");
  const QCommandLineOption grabbed("grabbed", "grabIndex: -1 (none, the default) or 0 to 3.", "I");
  const QCommandLineOption divisions(
      "divisions",
      QString::fromStdString("Ticked division counts, of " + state::DivisionCountList() +
                             " (\"\" for none)."),
      "LIST");
  const QCommandLineOption noApproximate("no-approximate", "Untick the approximate offset curve.");
  const QCommandLineOption noAccurate("no-accurate", "Untick the accurate offset curve.");
  const QString distanceRange =
      QStringLiteral("%1 to %2").arg(scene::kDistanceLow).arg(scene::kDistanceHigh);
  const QCommandLineOption distance("distance", "Scroll bar value, " + distanceRange + ".", "D");
  const QCommandLineOption focus("focus", "Give the control of this name the keyboard focus.",
                                 "NAME");
  const QCommandLineOption area("area", "Save only the 260 x 260 inner drawing area.");
  const QCommandLineOption report("report", "Print the report text to standard output.");
  const QCommandLineOption language(
      "language", "ja or en; without it, the language of the locale variables.", "L");
  parser.addOptions({points, grabbed, divisions, noApproximate, noAccurate, distance, focus, area,
                     report, language});
  parser.addPositionalArgument("OUTPUT.png", "The picture to write (optional with --report).",
                               "[OUTPUT.png]");
  // The arguments as their bytes (Qt has taken its own out of argv): an
  // OUTPUT.png that is no UTF-8 is written under exactly the name given.
  parser.process(state::Arguments(argc, argv));

  const QStringList outputs = parser.positionalArguments();
  if (outputs.size() > 1 || (outputs.isEmpty() && !parser.isSet(report))) {
    return Fail("give one OUTPUT.png, or --report (see --help)");
  }

  editor::ApplyAppearance(app);
  editor::main window;

  const std::variant<scene::State, QString> chosen = ChosenState(parser);
  const auto* chosenState = std::get_if<scene::State>(&chosen);
  if (chosenState == nullptr) return Fail(*std::get_if<QString>(&chosen));
  const scene::State& state = *chosenState;
  if (parser.isSet(distance)) {
    if (auto error = state::CheckWindowDistance(state.dist)) {
      return Fail(QString::fromStdString(error->message));
    }
  }
  // The state enters as every state enters the window; then, for the
  // picture, the grabbed point, and with --distance the change handler as
  // after a user's move (Label2 shows the distance text, also when the value
  // is the one the bar had).
  window.ApplyState(state);
  window.grabIndex = state.grabIndex;
  if (parser.isSet(distance)) {
    window.HScroll1_Change();
  } else {
    window.Redraw();
  }

  QWidget* focused = nullptr;
  if (parser.isSet(focus)) {
    focused = window.findChild<QWidget*>(parser.value(focus));
    if (focused == nullptr || focused->focusPolicy() == Qt::NoFocus) {
      return Fail("--focus takes the name of a control that takes the focus, e.g. HScroll1");
    }
  }

  window.show();
  QApplication::processEvents();
  if (focused != nullptr) {
    window.activateWindow();
    // As if reached by Tab, so Picture1 shows its focus mark (it holds the
    // focus from the start, so the focus first leaves it).
    if (focused->hasFocus()) focused->clearFocus();
    focused->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (!focused->hasFocus()) return Fail("the window did not take the keyboard focus");
  }

  if (!outputs.isEmpty()) {
    const QPixmap picture =
        parser.isSet(area) ? window.Picture1->grab(window.Picture1->contentsRect()) : window.grab();
    // Encoded in memory in the format its name asks for (PNG without one),
    // then written whole or not at all.
    const std::string path = state::ToBytes(outputs.front());
    const QByteArray suffix = QFileInfo(outputs.front()).suffix().toLatin1();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, suffix.isEmpty() ? "PNG" : suffix.constData())) {
      std::fprintf(stderr, "screenshot: could not encode %s\n", files::Readable(path).c_str());
      return 1;
    }
    const std::string_view written(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (auto failure = files::WriteWhole(path, written)) {
      std::fprintf(stderr, "screenshot: %s\n", failure->c_str());
      return 1;
    }
  }
  if (parser.isSet(report)) {
    const QByteArray text = window.Label1->text().toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
  }
  return 0;
}
