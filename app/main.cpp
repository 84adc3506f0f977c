// The window program: `bezierlab [STATE OPTIONS] [FILE]`. Qt's own options
// are set aside and the rest, which chooses the state the window opens at, is
// checked before QApplication exists, so that a mistake is answered on a
// terminal without a display too.

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Appearance.h"
#include "PathBytes.h"
#include "QtOptions.h"
#include "StateFile.h"
#include "StateHelp.h"
#include "Tr.h"
#include "WindowArguments.h"
#include "main.h"

#ifndef BEZIERLAB_VERSION
#define BEZIERLAB_VERSION "unknown"
#endif

namespace {

constexpr const char* kHelp = i18n::Mark(
    "使い方: bezierlab [状態のオプション] [ファイル]\n"
    "\n"
    "3 次ベジェ曲線の長さとオフセット曲線のウィンドウを開きます。ファイル（状態ファイル、\n"
    "拡張子 .bezierlab）を渡すとその状態で開き、オプションはその値を上書きします。\n"
    "\n"
    "状態のオプション（bezierlab-report と同じ）:\n"
    "%STATE%"
    "%COMMON%"
    "\n"
    "Qt のオプション（-platform など）も使えます。ウィンドウの中では F1 でキーの一覧を\n"
    "表示します。\n"
    "\n"
    "終了コード: 0 成功、2 オプションかファイルの誤り（ウィンドウは開きません）\n");

// The help in the language of the run: the state options' lines with the
// window's ranges, and the options every program takes, in their places.
std::string Help() {
  std::string help = i18n::Tr(kHelp);
  help.replace(help.find("%STATE%"), 7, state::StateOptionsHelp(state::WindowRanges()));
  help.replace(help.find("%COMMON%"), 8, state::CommonOptionsHelp());
  return help;
}

constexpr int kExitUsage = 2;

// Qt's own dialog texts (the file dialogs' buttons and columns) in Japanese,
// like every text of the program, when the translations are installed; in
// English Qt's own texts are already English.
void LoadQtTranslations(QApplication& app) {
  if (i18n::CurrentLanguage() != i18n::Language::Japanese) return;
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
}

// --help, -h or --version before any `--`: answered before Qt starts, so they
// work without a display too.
std::optional<std::string> EarlyAnswer(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--") break;
    if (a == "--help" || a == "-h") return Help();
    if (a == "--version") return "bezierlab " BEZIERLAB_VERSION "\n";
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto error = i18n::StartLanguage(std::vector<std::string>(argv, argv + argc))) {
    std::fprintf(stderr, "bezierlab: %s\n", error->c_str());
    return kExitUsage;
  }
  if (const std::optional<std::string> answer = EarlyAnswer(argc, argv)) {
    std::fputs(answer->c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  const state::QtCommandLine line = state::TakeQtOptions(
      std::span(argv, static_cast<std::size_t>(argc)), std::getenv("QT_QPA_PLATFORM"));
  // What Qt leaves, read by its bytes: a FILE whose name is no UTF-8 is
  // opened by that name.
  std::vector<const char*> rest;
  rest.reserve(line.rest.size());
  for (const std::string& argument : line.rest) rest.push_back(argument.c_str());
  const auto read =
      state::ReadWindowArguments(state::Arguments(static_cast<int>(rest.size()), rest.data()));
  if (const auto* error = std::get_if<state::StartError>(&read)) {
    std::fprintf(stderr, "bezierlab: %s\n", error->message.c_str());
    // A file opened from a file manager has no terminal to show the message;
    // without a display, stderr is all there is.
    if (error->aboutFile &&
        state::CanShowWindows(line, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) {
      QApplication app(argc, argv);
      editor::ApplyAppearance(app);
      LoadQtTranslations(app);
      QMessageBox box(QMessageBox::Critical, QStringLiteral("bezierlab"),
                      QString::fromStdString(error->message));
      box.exec();
    }
    return kExitUsage;
  }
  const auto* start = std::get_if<state::WindowStart>(&read);

  QApplication app(argc, argv);
  // Lets X11 and Wayland shells match the window to its desktop entry,
  // org.bezierlab.BezierLab.desktop, and so to its name and icon.
  QGuiApplication::setDesktopFileName("org.bezierlab.BezierLab");
  editor::ApplyAppearance(app);
  LoadQtTranslations(app);
  const std::unique_ptr<editor::main> window = editor::OpenWindow(*start);
  window->show();
  return QApplication::exec();
}
