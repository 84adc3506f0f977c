// Renders the window in any state to a PNG, and prints its report.
//
//   screenshot [STATE OPTIONS] [--focus NAME] [--area] [--offsets] [--report]
//              [--language ja|en] [OUTPUT.png]
//
// Without options it saves the start window. The state options are the
// report tool's, read by the same parser from the same table, and enter the
// real window through main::ApplyState, as every state enters it; then
// grabIndex is set and, with --distance, the scroll bar's change handler runs
// once, as a user's move would, so Label2 shows the distance text. --focus
// gives the control of that name (HScroll1, Check1(0), Picture1, ...) the
// keyboard focus as Tab gives it, for controls that show it. --area saves
// only the inner drawing area, --offsets the offset window that F3 opens,
// once its first study is shown, --report prints the report exactly as the
// window holds it (CR LF line ends). Its texts, help and messages are those
// of the catalogue, in the language of the locale variables or of
// --language, as bezierlab's; a usage error is one line and exit status 2.
// Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen) or any other.

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Appearance.h"
#include "OffsetWindow.h"
#include "PathBytes.h"
#include "Pointer.h"
#include "ReadWhole.h"
#include "RuntimeFolder.h"
#include "StateHelp.h"
#include "StateOptions.h"
#include "Tr.h"
#include "WholeFiles.h"
#include "main.h"

#ifndef BEZIERLAB_VERSION
#define BEZIERLAB_VERSION "unknown"
#endif

namespace {

using i18n::Format;
using i18n::Tr;

constexpr const char* kProgram = "screenshot";
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kHelp = i18n::Mark(
    "使い方: screenshot [状態のオプション] [--focus 名前] [--area] [--offsets] [--report] "
    "[出力.png]\n"
    "\n"
    "ウィンドウをその状態で描いて出力.png に保存するか、そのレポートを書き出します。\n"
    "状態はウィンドウ自身のコントロールから設定します。\n"
    "\n"
    "状態のオプション（bezierlab-report と同じ）:\n"
    "%STATE%"
    "\n"
    "書き出すもの:\n"
    "  --focus 名前        その名前のコントロール（HScroll1、Check1(0) など）に\n"
    "                      キーボードのフォーカスを与えます\n"
    "  --area              描画領域（%1 × %2）だけを保存します\n"
    "  --offsets           F3 で開くオフセットの誤差のウィンドウを保存します\n"
    "  --report            ウィンドウのとおりのレポート（行末は \\r\\n）を標準出力へ\n"
    "%COMMON%"
    "\n"
    "終了コード: 0 成功、1 画像を書き込めない、2 使い方の誤り\n");

// The state options, the screenshot's own, then the common ones.
const std::vector<state::KnownOption>& Table() {
  static const std::vector<state::KnownOption> table = [] {
    std::vector<state::KnownOption> all(state::StateOptions().begin(), state::StateOptions().end());
    all.push_back({"focus", true, false});
    all.push_back({"area", false, false});
    all.push_back({"offsets", false, false});
    all.push_back({"report", false, false});
    all.insert(all.end(), state::CommonOptions().begin(), state::CommonOptions().end());
    return all;
  }();
  return table;
}

// The help: the state options with the ranges of what the window is given
// (any 32-bit points, as the report tool takes them; a distance the scroll
// bar can show) and the area's size from the design.
std::string Help() {
  const std::string area = std::to_string(scene::kAreaSize);
  std::string help = Format(Tr(kHelp), {area, area});
  const state::StateHelpRanges tool = state::ToolRanges();
  help.replace(
      help.find("%STATE%"), 7,
      state::StateOptionsHelp({tool.points, state::WindowRanges().distance, tool.grabbed}));
  help.replace(help.find("%COMMON%"), 8, state::CommonOptionsHelp());
  return help;
}

// The offset window (F3), shown (not raised: the offscreen platform would say
// it cannot) once its first study is there; none when it shows none within
// kOffsetsWaitMs.
constexpr int kOffsetsWaitMs = 20000;
std::optional<QPixmap> OffsetPicture() {
  editor::OffsetWindow* offsets = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<editor::OffsetWindow*>(widget)) offsets = found;
  }
  if (offsets == nullptr) return std::nullopt;
  // Whole, at its content's size, whatever the screen's.
  offsets->resize(offsets->sizeHint());
  offsets->show();
  QElapsedTimer clock;
  clock.start();
  while (offsets->StudiesComputed() == 0 && clock.elapsed() < kOffsetsWaitMs) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  if (offsets->StudiesComputed() == 0) return std::nullopt;
  QApplication::processEvents();
  return offsets->grab();
}

int Complain(const std::string& message, int status) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return status;
}

int Print(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0
             ? kExitOk
             : kExitFailed;
}

// Encoded in memory in the format its name asks for (PNG without one), then
// written whole or not at all.
int Save(const QPixmap& picture, const QString& output) {
  const std::string path = state::ToBytes(output);
  const QByteArray suffix = QFileInfo(output).suffix().toLatin1();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, suffix.isEmpty() ? "PNG" : suffix.constData())) {
    return Complain(
        Format(Tr("「%1」の画像を符号化できません（何も書いていません）"), {files::Readable(path)}),
        kExitFailed);
  }
  const std::string_view written(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (auto failure = files::WriteWhole(path, written)) return Complain(*failure, kExitFailed);
  return kExitOk;
}

int Run(int argc, char* argv[]) {
  // Before Qt Gui starts: a usable runtime folder, so Qt prints nothing.
  const files::PrivateRuntimeFolder runtime(kProgram);
  QApplication app(argc, argv);
  // The arguments as their bytes (Qt has taken its own out of argv): an
  // OUTPUT.png that is no UTF-8 is written under exactly the name given.
  QStringList arguments = state::Arguments(argc, argv);
  if (const auto error = i18n::StartLanguage(state::OptionBytes(arguments))) {
    return Complain(*error, kExitUsage);
  }
  const std::optional<QString> output = state::TakeOperand(Table(), arguments);
  const auto collected =
      state::CollectOptions(Table(), state::OptionBytes(arguments), state::Where::Command);
  if (const auto* error = std::get_if<state::UsageError>(&collected)) {
    return Complain(error->message, kExitUsage);
  }
  const state::FoundOptions& found = std::get<state::FoundOptions>(collected);
  if (found.IsSet("help")) return Print(Help());
  if (found.IsSet("version")) return Print(std::string(kProgram) + " " BEZIERLAB_VERSION "\n");
  scene::State state;
  if (auto error = state::ReadState(found, state)) return Complain(error->message, kExitUsage);
  if (found.IsSet("distance")) {
    if (auto error = state::CheckWindowDistance(state.dist)) {
      return Complain(error->message, kExitUsage);
    }
  }
  if (!output && !found.IsSet("report")) {
    return Complain(Tr("保存する画像のファイル名か --report を指定します"), kExitUsage);
  }

  editor::ApplyAppearance(app);
  editor::main window;
  QWidget* focused = nullptr;
  if (const auto name = found.Value("focus")) {
    focused = window.findChild<QWidget*>(state::FromBytes(*name));
    if (focused == nullptr || focused->focusPolicy() == Qt::NoFocus) {
      return Complain(
          Format(Tr("--focus の「%1」はフォーカスを受け取るコントロールの名前ではありません"),
                 {state::Shown(*name)}),
          kExitUsage);
    }
  }
  // The state enters as every state enters the window; then, for the
  // picture, the grabbed point, and with --distance the change handler as
  // after a user's move (Label2 shows the distance text, also when the value
  // is the one the bar had).
  window.ApplyState(state);
  window.grabIndex = state.grabIndex;
  if (found.IsSet("distance")) {
    window.HScroll1_Change();
  } else {
    window.Redraw();
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
    if (!focused->hasFocus()) {
      return Complain(Tr("ウィンドウがキーボードのフォーカスを受け取りません"), kExitFailed);
    }
  }

  if (output) {
    QPixmap picture;
    if (found.IsSet("offsets")) {
      const auto offsets = OffsetPicture();
      if (!offsets)
        return Complain(Tr("オフセットの誤差のウィンドウが表示されません"), kExitFailed);
      picture = *offsets;
    } else {
      picture = found.IsSet("area") ? window.Picture1->grab(window.Picture1->contentsRect())
                                    : window.grab();
    }
    if (const int status = Save(picture, *output); status != kExitOk) return status;
  }
  if (found.IsSet("report")) return Print(window.Label1->text().toStdString());
  return kExitOk;
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    return Run(argc, argv);
  } catch (...) {
    // Only memory running out throws here: the run ends without a picture.
    std::fprintf(stderr, "%s: %s\n", kProgram, Tr("メモリが足りません"));
    return kExitFailed;
  }
}
