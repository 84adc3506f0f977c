// Reading the tool's options: the state's options through the state's parser,
// then the outputs, checked against their forms and against each other.

#include "Options.h"

#include "ConvergenceOutput.h"
#include "OffsetOutput.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "PathBytes.h"
#include "StateFile.h"
#include "Tr.h"

namespace cli {

using i18n::Format;
using i18n::Tr;

namespace {

using state::Dashed;
using state::KnownOption;

// The tool's own options, after the state's; then the common ones.
constexpr std::array<KnownOption, 14> kToolOptions{{
    {"state", true, true},
    {"analysis", false, true},
    {"json", false, false},
    {"crlf", false, false},
    {"png", true, false},
    {"svg", true, false},
    {"scale", true, false},
    {"batch", false, false},
    {"convergence", false, true},
    {"plot", true, false},
    {"plot-format", true, false},
    {"rules", false, true},
    {"offsets", false, true},
    {"offset-plot", true, false},
}};

const std::vector<KnownOption>& Table() {
  static const std::vector<KnownOption> table = [] {
    std::vector<KnownOption> all(state::StateOptions().begin(), state::StateOptions().end());
    all.insert(all.end(), kToolOptions.begin(), kToolOptions.end());
    all.insert(all.end(), state::CommonOptions().begin(), state::CommonOptions().end());
    return all;
  }();
  return table;
}

// Whether two paths name the same file: the same path once made absolute and
// clean, or, for files that exist, the same file behind links.
bool SameFile(const QString& a, const QString& b) {
  if (QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
      QDir::cleanPath(QFileInfo(b).absoluteFilePath())) {
    return true;
  }
  struct stat first {};
  struct stat second {};
  return ::stat(state::ToBytes(a).c_str(), &first) == 0 &&
         ::stat(state::ToBytes(b).c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

Parsed Parse(std::span<const std::string> arguments, state::Where where) {
  const auto collected = state::CollectOptions(Table(), arguments, where);
  if (const auto* error = std::get_if<UsageError>(&collected)) return *error;
  const state::FoundOptions& found = std::get<state::FoundOptions>(collected);
  // A file name as text that gives its bytes back.
  const auto file = [&](const char* name) { return state::FromBytes(*found.Value(name)); };

  Request request;
  request.help = found.IsSet("help");
  request.version = found.IsSet("version");
  if (request.help || request.version) return request;

  // --language goes with every run, --batch too: it was read before parsing.
  std::vector<std::string_view> given = found.Names();
  std::erase(given, "language");
  request.batch = found.IsSet("batch");
  if (request.batch && given.size() > 1) {
    const std::string_view other = given[0] == "batch" ? given[1] : given[0];
    return UsageError{Format(Tr("--batch は他のオプションと一緒に使えません（%1）"),
                             {"--" + std::string(other)})};
  }

  // A state file first; the options given beside it override its values.
  if (found.IsSet("state")) {
    auto loaded = state::LoadStateFile(file("state"));
    if (auto* error = std::get_if<UsageError>(&loaded))
      return UsageError{Format(Tr("--state の%1"), {error->message})};
    request.state = std::get<scene::State>(loaded);
  }
  if (auto error = state::ReadState(found, request.state)) return *error;
  request.analysis = found.IsSet("analysis");
  request.json = found.IsSet("json");
  request.crlf = found.IsSet("crlf");
  request.rules = found.IsSet("rules");
  if (auto scale = found.Value("scale")) {
    if (auto error = state::ReadRange("scale", *scale, 1, 4, request.scale)) return *error;
  }
  for (const char* picture : {"png", "svg"}) {
    if (!found.IsSet(picture)) continue;
    if (found.Value(picture)->empty()) {
      return UsageError{Format(Tr("%1 のファイル名が空です"), {Dashed(picture)})};
    }
    (std::string_view(picture) == "png" ? request.png : request.svg) = file(picture);
  }

  if (found.IsSet("scale") && !request.png && !request.svg && !found.IsSet("plot") &&
      !found.IsSet("offset-plot")) {
    return UsageError{Tr("--scale は画像を書く --png, --svg か --plot と一緒に使います")};
  }
  if (request.png && request.svg && !IsStdout(request.png) &&
      SameFile(*request.png, *request.svg)) {
    return UsageError{Format(Tr("--png と --svg に同じファイル「%1」は指定できません"),
                             {state::Shown(*request.svg)})};
  }

  if (auto error = CheckStandardOutput(found, request)) return *error;
  if (auto error = ReadConvergenceOptions(found, request)) return *error;
  if (auto error = ReadOffsetOptions(found, request)) return *error;
  for (const std::optional<QString>& other : {request.png, request.svg, request.plot}) {
    if (request.offsetPlot && other && !IsStdout(request.offsetPlot) &&
        SameFile(*other, *request.offsetPlot)) {
      return UsageError{Format(Tr("--offset-plot に他の出力と同じファイル「%1」は指定できません"),
                               {state::Shown(*request.offsetPlot)})};
    }
  }
  for (const std::optional<QString>& picture : {request.png, request.svg}) {
    if (request.plot && picture && !IsStdout(request.plot) && SameFile(*picture, *request.plot)) {
      return UsageError{Format(Tr("--plot に画像と同じファイル「%1」は指定できません"),
                               {state::Shown(*request.plot)})};
    }
  }
  return request;
}

}  // namespace

std::optional<UsageError> CheckStandardOutput(const state::FoundOptions& found,
                                              const Request& request) {
  if (IsStdout(request.png) && IsStdout(request.svg)) {
    return UsageError{Tr("--png と --svg の両方を標準出力（-）には書けません")};
  }
  const char* picture = IsStdout(request.png)          ? "--png -"
                        : IsStdout(request.svg)        ? "--svg -"
                        : IsStdout(request.plot)       ? "--plot -"
                        : IsStdout(request.offsetPlot) ? "--offset-plot -"
                                                       : nullptr;
  if (picture == nullptr) return std::nullopt;
  for (const char* text : {"json", "crlf", "analysis", "convergence", "rules", "offsets"}) {
    if (found.IsSet(text)) {
      return UsageError{Format(Tr("%1 は %2 と一緒に使えません: 標準出力には画像だけを書きます"),
                               {Dashed(text), picture})};
    }
  }
  if (IsStdout(request.plot) && (IsStdout(request.png) || IsStdout(request.svg))) {
    return UsageError{Format(Tr("--plot - と %1 - の両方を標準出力には書けません"),
                             {IsStdout(request.png) ? "--png" : "--svg"})};
  }
  if (IsStdout(request.offsetPlot) &&
      (IsStdout(request.png) || IsStdout(request.svg) || IsStdout(request.plot))) {
    return UsageError{Tr("標準出力（-）に書ける画像は 1 つだけです")};
  }
  return std::nullopt;
}

Parsed ParseArguments(const QStringList& arguments) {
  return Parse(state::OptionBytes(arguments), state::Where::Command);
}

Parsed ParseBatchLine(std::string_view line) {
  const std::vector<std::string> arguments = state::SplitLine(line);
  if (arguments.empty()) return UsageError{Tr("空の行です")};
  return Parse(arguments, state::Where::BatchLine);
}

}  // namespace cli
