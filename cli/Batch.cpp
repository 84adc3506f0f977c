#include "Batch.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <variant>

#include "ConvergenceOutput.h"
#include "OffsetOutput.h"
#include "Options.h"
#include "ReadWhole.h"
#include "ReportJson.h"
#include "RulesOutput.h"
#include "StateFile.h"
#include "Tr.h"

namespace cli {

QByteArray BatchRunner::Line(std::string_view line, qint64 number) {
  const Parsed parsed = ParseBatchLine(line);
  QJsonObject object;
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    object.insert(QStringLiteral("error"), QString::fromStdString(error->message));
  } else {
    const Request& request = std::get<Request>(parsed);
    const scene::Result result = scene::Draw(request.state, nothing_, scene::Vertices::kKeep);
    if (request.analysis) {
      const geometry::Analysis analysis = scene::Analyse(result);
      object = ToJson(result, &analysis);
    } else {
      object = ToJson(result);
    }
    if (request.convergence) InsertConvergence(object, geometry::Convergence(request.state.P));
    if (request.rules) InsertRules(object, geometry::LengthRules(request.state.P));
    if (request.offsets) InsertOffsets(object, StudyOf(request));
  }
  object.insert(QStringLiteral("line"), number);
  return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

namespace {

// A line left for the reader: blank, or a comment.
bool IsSkipped(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\n\v\f\r");
  return first == std::string_view::npos || line[first] == '#';
}

// Reads the next line into `line`, without its "\n", keeping at most one byte
// more than the largest line read, so that a longer line is known as such but
// never held whole. Returns false at the end of the input (or a read error).
bool NextLine(std::FILE* in, std::string& line) {
  line.clear();
  int c = 0;
  bool any = false;
  while ((c = std::getc(in)) != EOF) {
    any = true;
    if (c == '\n') return true;
    if (line.size() <= state::kLargestStateText) line.push_back(static_cast<char>(c));
  }
  return any;
}

}  // namespace

std::optional<std::string> RunBatch(std::FILE* in, std::FILE* out) {
  // Output is gathered in a large buffer: a script with thousands of states
  // should cost one write per few hundred lines, not one per line.
  constexpr std::size_t kOutputBuffer = 1 << 20;
  std::setvbuf(out, nullptr, _IOFBF, kOutputBuffer);

  BatchRunner runner;
  std::string buffer;
  qint64 number = 0;
  while (NextLine(in, buffer)) {
    std::string_view line(buffer);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    QByteArray json;
    if (line.size() > state::kLargestStateText) {
      json = QJsonDocument(QJsonObject{{"error", QString::fromStdString(i18n::Format(
                                                     i18n::Tr("この行は大きすぎます（%1 まで）"),
                                                     {state::LargestStateTextShown()}))},
                                       {"line", number}})
                 .toJson(QJsonDocument::Compact);
    } else if (IsSkipped(line)) {
      continue;
    } else {
      json = runner.Line(line, number);
    }
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), out);
    std::fputc('\n', out);
  }
  // A line ends on a read error as on the end of the input; only the stream's
  // error flag tells them apart.
  const int readError = std::ferror(in) != 0 ? errno : 0;
  if (std::fflush(out) != 0 || std::ferror(out) != 0) return i18n::Tr("標準出力に書き込めません");
  if (readError != 0) {
    return i18n::Format(i18n::Tr("標準入力の %1 行目を読めません: %2"),
                        {std::to_string(number + 1), files::Reason(readError)});
  }
  return std::nullopt;
}

}  // namespace cli
