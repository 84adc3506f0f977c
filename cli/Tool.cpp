// The tool's run: read the options, draw the scene once on every picture
// asked for (in the picture module) or on nothing, then write the files whole
// and the report. No Qt: the pictures come from the module (Pictures.h).

#include "Tool.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "AnalysisText.h"
#include "Batch.h"
#include "ConvergenceOutput.h"
#include "FanOutSurface.h"
#include "JsonText.h"
#include "OffsetOutput.h"
#include "OffsetText.h"
#include "Options.h"
#include "Pictures.h"
#include "Pointer.h"
#include "ReportJson.h"
#include "RulesOutput.h"
#include "RulesText.h"
#include "StateHelp.h"
#include "Tr.h"
#include "WholeFiles.h"

#ifndef BEZIERLAB_VERSION
#define BEZIERLAB_VERSION "unknown"
#endif

namespace cli {

namespace {

constexpr const char* kProgram = "bezierlab-report";

constexpr const char* kHelp = i18n::Mark(
    "使い方: bezierlab-report [オプション]\n"
    "        bezierlab-report --batch < 状態の行\n"
    "\n"
    "3 次ベジェ曲線の長さとオフセット曲線を、ウィンドウと同じ計算で書き出します。\n"
    "\n"
    "計算する状態:\n"
    "  --state ファイル    状態ファイル（JSON の \"state\" メンバー）から読みます。\n"
    "                      ほかの状態のオプションはその値を上書きします\n"
    "%STATE%"
    "  --analysis          誤差の解析を加えます: 真の長さと各分割の誤差、\n"
    "                      近似オフセット曲線のずれ、接線の長さが 0 になる点\n"
    "  --convergence       長さの収束の表を加えます: 分割数 1 から 100000 の和と\n"
    "                      点の数、真の長さに対する誤差（--batch の行でも使えます）\n"
    "  --rules             長さの規則の表を加えます: 同じ分割数で、ウィンドウの和、\n"
    "                      その端の補正、台形則、シンプソン則、ガウス則の評価の回数、\n"
    "                      長さと真の長さに対する誤差（--batch の行でも使えます）\n"
    "  --offsets           オフセット曲線の解析を加えます: 近似オフセット曲線のずれ、\n"
    "                      係数 1 + 距離·κ(t)、真のオフセット曲線の尖点、曲線を k 個に\n"
    "                      分けたときのずれ（--batch の行でも使えます）\n"
    "\n"
    "書き出すもの:\n"
    "  （既定）            ウィンドウと同じレポートを標準出力へ（行末は \\n）\n"
    "  --crlf              行末をウィンドウと同じ \\r\\n にします\n"
    "  --json              レポートの代わりに JSON オブジェクトを 1 つ書きます\n"
    "  --png ファイル      描画領域の画像（260 × 260）を PNG で書きます\n"
    "  --scale K           画像を K 倍（1 から 4）の大きさにします。PNG は K 倍の解像度で\n"
    "                      描き、SVG は同じ図で幅と高さだけが K 倍です。既定: 1\n"
    "  --svg ファイル      同じ図を SVG で書きます\n"
    "                      ファイルが - なら標準出力へ（そのときレポートは書きません）\n"
    "  --plot ファイル     長さの収束の図（640 × 400）を拡張子に応じて SVG か PNG で\n"
    "                      書きます。--scale が効きます\n"
    "  --rules-plot ファイル\n"
    "                      長さの規則の図（640 × 400）: 速さの評価数に対する相対誤差を\n"
    "                      規則ごとに描きます。形式と --scale は --plot と同じです\n"
    "  --offset-plot ファイル\n"
    "                      オフセット曲線の解析の図（640 × 400）: 上に黄の曲線と 2、4、8\n"
    "                      分割の真のオフセット曲線からの距離、下に係数 1 + 距離·κ(t)。\n"
    "                      拡張子に応じて SVG か PNG で書きます。--scale が効きます\n"
    "  --plot-format F     図の形式 svg か png（- に書くときは必須）。与えた図の\n"
    "                      オプションすべてに効きます。標準出力に書ける図は 1 つだけです\n"
    "  --batch             標準入力の 1 行ごとに状態を読み、1 行ごとに JSON を書きます\n"
    "                      （空の行と # で始まる行は読み飛ばします）\n"
    "%COMMON%"
    "\n"
    "終了コード: 0 成功、1 ファイルに書き込めない（または入力を読めない）、2 使い方の誤り\n");

// The help: the state options' lines, with the tool's ranges, and the
// options every program takes, in their places.
std::string Help() {
  std::string help = i18n::Tr(kHelp);
  help.replace(help.find("%STATE%"), 7, state::StateOptionsHelp(state::ToolRanges()));
  help.replace(
      help.find("%COMMON%"), 8,
      state::CommonOptionsHelp(i18n::Tr("JSON のキー、数、エラーの種類は言語によりません")));
  return help;
}

bool WriteAll(std::FILE* out, const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
}

void Complain(std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s: %s\n", kProgram, message.c_str());
}

// The report text as the window shows it, then, each after an empty line, the
// analysis, the convergence table, the rules' table and the offset study when
// they are asked for; with "\n" line ends unless the window's "\r\n" are
// asked for.
std::string Text(const scene::Result& result, const geometry::Analysis* analysis,
                 const geometry::ConvergenceTable* table, const geometry::LengthRulesTable* rules,
                 const geometry::OffsetStudy* offsets, bool crlf) {
  std::string text = scene::Report(result);
  if (analysis != nullptr) {
    text += "\r\n" + scene::JoinLines(scene::AnalysisLines(*analysis), "\r\n") + "\r\n";
  }
  if (table != nullptr) text += "\r\n" + ConvergenceText(*table);
  if (rules != nullptr) text += "\r\n" + scene::RulesText(*rules);
  if (offsets != nullptr) {
    text += "\r\n" + scene::JoinLines(scene::OffsetLines(*offsets), "\r\n") + "\r\n";
  }
  if (crlf) return text;
  std::string lf;
  lf.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' || at + 1 == text.size() || text[at + 1] != '\n') lf += text[at];
  }
  return lf;
}

// The report for standard output: the JSON object or the text, with the
// tables asked for (each null when not).
std::string Report(const Request& request, const scene::Result& result,
                   const geometry::ConvergenceTable* listed,
                   const geometry::LengthRulesTable* rules, const geometry::OffsetStudy* offsets) {
  std::optional<geometry::Analysis> analysis;
  if (request.analysis) analysis = scene::Analyse(result);
  const geometry::Analysis* analysed = analysis ? &*analysis : nullptr;
  if (!request.json) return Text(result, analysed, listed, rules, offsets, request.crlf);
  nlohmann::json object = ToJson(result, analysed);
  if (listed != nullptr) InsertConvergence(object, *listed);
  if (rules != nullptr) InsertRules(object, *rules);
  if (offsets != nullptr) InsertOffsets(object, *offsets);
  return state::JsonText(object, state::JsonFormat::kCompact) + "\n";
}

// Each file asked for with the bytes made for it ("-": standard output).
std::vector<std::pair<const std::optional<std::string>*, const std::string*>> Files(
    const Request& request, const PictureJob& job) {
  return {{&request.png, &job.png},
          {&request.svg, &job.svg},
          {&request.plot, &job.convergence.bytes},
          {&request.rulesPlot, &job.rules.bytes},
          {&request.offsetPlot, &job.offsets.bytes}};
}

}  // namespace

int Run(std::span<const std::string> arguments, std::FILE* in, std::FILE* out, std::FILE* err) {
  const std::vector<std::string> words(arguments.begin(), arguments.end());
  if (const std::optional<std::string> error = i18n::StartLanguage(words)) {
    Complain(err, *error);
    return kExitUsage;
  }
  const Parsed parsed = ParseArguments(arguments.subspan(arguments.empty() ? 0 : 1));
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    Complain(err, error->message);
    return kExitUsage;
  }
  const Request& request = std::get<Request>(parsed);
  if (request.help) return WriteAll(out, Help()) ? kExitOk : kExitUnwritable;
  if (request.version) {
    return WriteAll(out, std::string(kProgram) + " " + BEZIERLAB_VERSION + "\n") ? kExitOk
                                                                                 : kExitUnwritable;
  }
  if (request.batch) {
    const std::optional<std::string> failure = RunBatch(in, out);
    if (!failure) return kExitOk;
    Complain(err, *failure);
    return kExitUnwritable;
  }

  // One run of the scene draws every picture asked for, in the picture
  // module; without pictures it draws on nothing, and no Qt is loaded.
  std::optional<geometry::ConvergenceTable> table;
  if (request.convergence || request.plot) table = geometry::Convergence(request.state.P);
  std::optional<geometry::LengthRulesTable> rules;
  if (request.rules || request.rulesPlot) rules = geometry::LengthRules(request.state.P);
  std::optional<geometry::OffsetStudy> offsets;
  if (request.offsets || request.offsetPlot) offsets = StudyOf(request);
  PictureJob job;
  job.request = &request;
  if (request.WantsPictures()) {
    const auto loaded = LoadPictures();
    if (const auto* failure = std::get_if<std::string>(&loaded)) {
      Complain(err, *failure);
      return kExitUnwritable;
    }
    job.language = i18n::CurrentLanguage();
    if (request.plot) job.convergence = {&*table, request.plotFormat, {}};
    if (request.rulesPlot) job.rules = {&*rules, request.rulesPlotFormat, {}};
    if (request.offsetPlot) job.offsets = {&*offsets, request.offsetPlotFormat, {}};
    std::get<MakePicturesFunction>(loaded)(job);
    if (job.failure) {
      Complain(err, *job.failure);
      return kExitUnwritable;
    }
  } else {
    drawing::FanOutSurface nothing(scene::kAreaSize, scene::kAreaSize);
    job.result = scene::Draw(request.state, nothing,
                             request.json ? scene::Vertices::kKeep : scene::Vertices::kCount);
  }

  // The files first, all whole or none replaced; then standard output, which
  // carries either the report or the one picture sent there.
  std::vector<files::Output> outputs;
  const std::string* toStdout = nullptr;
  for (const auto& [file, bytes] : Files(request, job)) {
    if (!*file) continue;
    if (**file == "-") {
      toStdout = bytes;
    } else {
      outputs.push_back({**file, *bytes});
    }
  }
  if (const std::optional<std::string> failure = files::WriteWhole(outputs)) {
    Complain(err, *failure);
    return kExitUnwritable;
  }
  std::string report;
  if (toStdout == nullptr) {
    report = Report(request, job.result, request.convergence ? &*table : nullptr,
                    request.rules ? &*rules : nullptr, request.offsets ? &*offsets : nullptr);
    toStdout = &report;
  }
  if (!WriteAll(out, *toStdout)) {
    Complain(err, i18n::Tr("標準出力に書き込めません"));
    return kExitUnwritable;
  }
  return kExitOk;
}

}  // namespace cli
