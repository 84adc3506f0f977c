#include "Batch.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <variant>

#include "ConvergenceOutput.h"
#include "Options.h"
#include "ReportJson.h"
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

}  // namespace

std::optional<std::string> RunBatch(std::FILE* in, std::FILE* out) {
  // Output is gathered in a large buffer: a script with thousands of states
  // should cost one write per few hundred lines, not one per line.
  constexpr std::size_t kOutputBuffer = 1 << 20;
  std::setvbuf(out, nullptr, _IOFBF, kOutputBuffer);

  BatchRunner runner;
  char* buffer = nullptr;
  std::size_t capacity = 0;
  qint64 number = 0;
  ssize_t length = 0;
  while ((length = getline(&buffer, &capacity, in)) >= 0) {
    std::string_view line(buffer, static_cast<std::size_t>(length));
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    if (IsSkipped(line)) continue;
    const QByteArray json = runner.Line(line, number);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), out);
    std::fputc('\n', out);
  }
  // getline ends on a read error as on the end of the input; only the
  // stream's error flag tells them apart.
  const int readError = std::ferror(in) != 0 ? errno : 0;
  std::free(buffer);  // NOLINT(cppcoreguidelines-no-malloc): getline allocates with malloc
  if (std::fflush(out) != 0 || std::ferror(out) != 0) return i18n::Tr("標準出力に書き込めません");
  if (readError != 0) {
    return i18n::Format(i18n::Tr("標準入力の %1 行目を読めません: %2"),
                        {std::to_string(number + 1), std::strerror(readError)});
  }
  return std::nullopt;
}

}  // namespace cli
