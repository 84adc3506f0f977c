// The tool's run: read the options, draw the scene once on every picture
// asked for (or on nothing), then write the files whole and the report.

#include "Tool.h"

#include <QBuffer>
#include <QImage>
#include <QJsonDocument>
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "AnalysisText.h"
#include "Batch.h"
#include "ConvergenceOutput.h"
#include "FanOutSurface.h"
#include "OffsetOutput.h"
#include "OffsetText.h"
#include "Options.h"
#include "PainterSurface.h"
#include "PathBytes.h"
#include "PlotOutput.h"
#include "Pointer.h"
#include "RasterSurface.h"
#include "ReportJson.h"
#include "RulesOutput.h"
#include "RulesText.h"
#include "StateHelp.h"
#include "Tr.h"
#include "VectorSurface.h"
#include "WholeFiles.h"

#ifndef BEZIERLAB_VERSION
#define BEZIERLAB_VERSION "unknown"
#endif

namespace cli {

namespace {

constexpr const char* kProgram = "bezierlab-report";
// The window's design caption.
constexpr const char* kSvgTitle = i18n::Mark("ベジェ曲線の長さ計算・オフセット曲線サンプル");

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
    "  --offset-plot ファイル\n"
    "                      オフセット曲線の解析の図（640 × 400）: 上に黄の曲線と 2、4、8\n"
    "                      分割の真のオフセット曲線からの距離、下に係数 1 + 距離·κ(t)。\n"
    "                      拡張子に応じて SVG か PNG で書きます。--scale が効きます\n"
    "  --plot-format F     図の形式 svg か png（ファイルが - のときは必須）。\n"
    "                      標準出力に書ける図は 1 つだけです\n"
    "  --batch             標準入力の 1 行ごとに状態を読み、1 行ごとに JSON を書きます\n"
    "                      （空の行と # で始まる行は読み飛ばします）\n"
    "%COMMON%"
    "\n"
    "終了コード: 0 成功、1 ファイルに書き込めない（または入力を読めない）、2 使い方の誤り\n");

// The help: the state options' lines, with the tool's ranges, and the
// options every program takes, in their places.
QByteArray Help() {
  std::string help = i18n::Tr(kHelp);
  help.replace(help.find("%STATE%"), 7, state::StateOptionsHelp(state::ToolRanges()));
  help.replace(
      help.find("%COMMON%"), 8,
      state::CommonOptionsHelp(i18n::Tr("JSON のキー、数、エラーの種類は言語によりません")));
  return QByteArray::fromStdString(help);
}

bool WriteAll(std::FILE* out, const QByteArray& bytes) {
  return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out) ==
             static_cast<std::size_t>(bytes.size()) &&
         std::fflush(out) == 0;
}

void Complain(std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s: %s\n", kProgram, message.c_str());
}

// The picture with a palette of exactly its own colours, when it has at most
// 256: the same pixels, written as a palette PNG in a third of the time and
// half the size. The scene is drawn without antialiasing, so it has a handful.
QImage Palettized(const QImage& picture) {
  constexpr qsizetype kPaletteSize = 256;
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  QList<QRgb> colours;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    QRgb last = colours.isEmpty() ? 0 : colours.first();
    for (int x = 0; x < rgb.width(); ++x) {
      if (row[x] == last) continue;
      last = row[x];
      if (colours.contains(last)) continue;
      if (colours.size() == kPaletteSize) return picture;
      colours.append(last);
    }
  }
  // Every pixel's colour is in the table, so the nearest entry is its own.
  return rgb.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
}

// The report text as the window shows it, then, each after an empty line, the
// analysis, the convergence table, the rules' table and the offset study when
// they are asked for; with "\n" line ends unless the window's "\r\n" are asked for.
QByteArray Text(const scene::Result& result, const geometry::Analysis* analysis,
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
  QByteArray bytes = QByteArray::fromStdString(text);
  if (!crlf) bytes.replace("\r\n", "\n");
  return bytes;
}

}  // namespace

int Run(const QStringList& arguments, std::FILE* in, std::FILE* out, std::FILE* err) {
  std::vector<std::string> words;
  for (const QString& argument : arguments) words.push_back(argument.toStdString());
  if (const std::optional<std::string> error = i18n::StartLanguage(words)) {
    Complain(err, *error);
    return kExitUsage;
  }
  const Parsed parsed = ParseArguments(arguments);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    Complain(err, error->message);
    return kExitUsage;
  }
  const Request& request = std::get<Request>(parsed);
  if (request.help) return WriteAll(out, Help()) ? kExitOk : kExitUnwritable;
  if (request.version) {
    return WriteAll(out, QByteArray(kProgram) + " " + BEZIERLAB_VERSION + "\n") ? kExitOk
                                                                                : kExitUnwritable;
  }
  if (request.batch) {
    const std::optional<std::string> failure = RunBatch(in, out);
    if (!failure) return kExitOk;
    Complain(err, *failure);
    return kExitUnwritable;
  }

  // One run of the scene draws every picture asked for; without pictures it
  // draws on nothing, and no GUI class is touched.
  using scene::kAreaSize;
  const QColor background = surface::ToQColor(scene::kAreaBackColour);
  drawing::FanOutSurface surface(kAreaSize, kAreaSize);
  std::optional<surface::RasterSurface> raster;
  if (request.png) {
    raster.emplace(kAreaSize, kAreaSize, request.scale, background);
    surface.Add(*raster);
  }
  QByteArray svg;
  QBuffer svgBuffer(&svg);
  std::optional<surface::VectorSurface> vector;
  if (request.svg) {
    svgBuffer.open(QIODevice::WriteOnly);
    vector.emplace(kAreaSize, kAreaSize, request.scale, background, &svgBuffer,
                   QString::fromUtf8(i18n::Tr(kSvgTitle)));
    surface.Add(*vector);
  }
  const scene::Result result = scene::Draw(
      request.state, surface, request.json ? scene::Vertices::kKeep : scene::Vertices::kCount);

  QByteArray png;
  if (raster) {
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    if (!Palettized(raster->Picture()).save(&pngBuffer, "PNG")) {
      Complain(err, i18n::Tr("--png の画像を PNG に符号化できません（何も書いていません）"));
      return kExitUnwritable;
    }
  }
  if (vector) vector->Finish();

  // The files first, all whole or none replaced; then standard output, which
  // carries either the report or the one picture sent there.
  const std::pair<const std::optional<QString>&, const QByteArray&> pictures[] = {
      {request.png, png}, {request.svg, svg}};
  std::vector<files::Output> outputs;
  const QByteArray* toStdout = nullptr;
  for (const auto& [file, bytes] : pictures) {
    if (!file) continue;
    if (*file == "-") {
      toStdout = &bytes;
    } else {
      outputs.push_back(
          {state::ToBytes(*file),
           std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))});
    }
  }
  std::optional<geometry::ConvergenceTable> table;
  if (request.convergence || request.plot) table = geometry::Convergence(request.state.P);
  std::optional<geometry::OffsetStudy> offsets;
  if (request.offsets || request.offsetPlot) offsets = StudyOf(request);
  std::array<PlotBytes, 2> plots;
  if (request.plot) plots[0] = MakePlot(request, *table);
  if (request.offsetPlot) plots[1] = MakeOffsetPlot(request, *offsets);
  const std::pair<const std::optional<QString>&, const PlotBytes&> made[] = {
      {request.plot, plots[0]}, {request.offsetPlot, plots[1]}};
  for (const auto& [file, plot] : made) {
    if (!file) continue;
    if (plot.failure) {
      Complain(err, *plot.failure);
      return kExitUnwritable;
    }
    if (*file == "-") {
      toStdout = &plot.bytes;
    } else {
      outputs.push_back(
          {state::ToBytes(*file),
           std::string_view(plot.bytes.constData(), static_cast<std::size_t>(plot.bytes.size()))});
    }
  }
  if (const std::optional<std::string> failure = files::WriteWhole(outputs)) {
    Complain(err, *failure);
    return kExitUnwritable;
  }
  const geometry::ConvergenceTable* listed = request.convergence ? &*table : nullptr;
  std::optional<geometry::LengthRulesTable> rules;
  if (request.rules && toStdout == nullptr) rules = geometry::LengthRules(request.state.P);
  QByteArray report;
  if (toStdout == nullptr) {
    std::optional<geometry::Analysis> analysis;
    if (request.analysis) analysis = scene::Analyse(result);
    const geometry::Analysis* analysed = analysis ? &*analysis : nullptr;
    if (request.json) {
      QJsonObject object = ToJson(result, analysed);
      if (listed != nullptr) InsertConvergence(object, *listed);
      if (rules) InsertRules(object, *rules);
      if (request.offsets) InsertOffsets(object, *offsets);
      report = QJsonDocument(object).toJson(QJsonDocument::Compact) + "\n";
    } else {
      report = Text(result, analysed, listed, rules ? &*rules : nullptr,
                    request.offsets ? &*offsets : nullptr, request.crlf);
    }
    toStdout = &report;
  }
  if (!WriteAll(out, *toStdout)) {
    Complain(err, i18n::Tr("標準出力に書き込めません"));
    return kExitUnwritable;
  }
  return kExitOk;
}

}  // namespace cli
