// libFuzzer target for the report tool's option reading. The bytes are read
// twice: as one line of --batch input, and cut at NUL bytes into a command
// line. Either way they must give a state, whose scene, JSON and (when asked)
// analysis are then computed in full, or a usage error of one non-empty line;
// a computation that fails must come back as the program's error inside the
// JSON. Any crash, sanitizer report or broken property below is a finding.

#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Batch.h"
#include "FanOutSurface.h"
#include "FuzzCheck.h"
#include "Options.h"
#include "Pointer.h"
#include "ReportJson.h"

namespace {

using fuzz::Require;

bool IsOneLine(const std::string& message) {
  return !message.empty() && message.find('\n') == std::string::npos &&
         message.find('\r') == std::string::npos;
}

// The batch line: one JSON object with its line number, and either the
// state's report or an error message on one line.
void CheckBatchLine(std::string_view line) {
  static cli::BatchRunner runner;
  QJsonParseError status{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromStdString(runner.Line(line, 7)), &status);
  Require(status.error == QJsonParseError::NoError && document.isObject(), "batch: not JSON");
  const QJsonObject object = document.object();
  Require(object.value(QStringLiteral("line")) == 7, "batch: wrong line number");
  if (object.contains(QStringLiteral("error"))) {
    Require(object.size() == 2, "batch: error object with other keys");
    Require(IsOneLine(object.value(QStringLiteral("error")).toString().toStdString()),
            "batch: error message is not one line");
  } else {
    Require(object.value(QStringLiteral("report")).isString(), "batch: no report");
  }
}

// The command line: a usage error of one line, or a request whose scene runs
// to its end and whose JSON carries the scene's own report.
void CheckCommandLine(std::string_view bytes) {
  std::vector<std::string> arguments;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == '\0') {
      arguments.emplace_back(bytes.substr(start, i - start));
      start = i + 1;
    }
  }
  const cli::Parsed parsed = cli::ParseArguments(arguments);
  if (const auto* error = std::get_if<cli::UsageError>(&parsed)) {
    Require(IsOneLine(error->message), "command line: message is not one line");
    return;
  }
  const cli::Request& request = std::get<cli::Request>(parsed);
  Require(request.scale >= 1 && request.scale <= 4, "command line: scale out of range");
  Require(request.state.grabIndex >= -1 && request.state.grabIndex <= 3,
          "command line: grabbed point out of range");
  drawing::FanOutSurface nothing(scene::kAreaSize, scene::kAreaSize);
  const scene::Result result = scene::Draw(request.state, nothing, scene::Vertices::kKeep);
  std::optional<geometry::Analysis> analysis;
  if (request.analysis) {
    analysis = scene::Analyse(result);
    Require(analysis->sums.size() <= result.lengths.size(), "analysis: more sums than lengths");
    Require(!analysis->approximateDeviation || (result.approximate && result.approximate->Q),
            "analysis: a deviation without a yellow curve");
  }
  const nlohmann::json json = cli::ToJson(result, analysis ? &*analysis : nullptr);
  Require(json.at("report").get<std::string>() == scene::Report(result),
          "command line: JSON report differs from the scene's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckBatchLine(bytes);
  CheckCommandLine(bytes);
  return 0;
}
