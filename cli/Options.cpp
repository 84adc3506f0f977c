// Reading the tool's options: the state's options through the state's parser,
// then the outputs, checked against their forms and against each other.

#include "Options.h"

#include "ConvergenceOutput.h"

#include <sys/stat.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <array>
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

// The tool's own options, after the state's.
constexpr std::array<KnownOption, 14> kToolOptions{{
    {"state", true, true},
    {"analysis", false, true},
    {"json", false, false},
    {"crlf", false, false},
    {"png", true, false},
    {"svg", true, false},
    {"scale", true, false},
    {"batch", false, false},
    {"help", false, false, 'h'},
    {"version", false, false},
    {"convergence", false, true},
    {"plot", true, false},
    {"plot-format", true, false},
    {"language", true, false},  // read before anything else: i18n::StartLanguage in Run
}};

const std::vector<KnownOption>& Table() {
  static const std::vector<KnownOption> table = [] {
    std::vector<KnownOption> all(state::StateOptions().begin(), state::StateOptions().end());
    all.insert(all.end(), kToolOptions.begin(), kToolOptions.end());
    return all;
  }();
  return table;
}

QCommandLineParser& Parser() {
  // Built once: every parse starts afresh, and a batch of many lines should
  // not rebuild the option table each time.
  static QCommandLineParser* parser = state::MakeParser(Table());
  return *parser;
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

Parsed Parse(const QStringList& arguments, state::Where where) {
  QCommandLineParser& parser = Parser();
  if (auto error = state::Parse(parser, Table(), arguments, where)) return *error;

  Request request;
  request.help = parser.isSet(QStringLiteral("help"));
  request.version = parser.isSet(QStringLiteral("version"));
  if (request.help || request.version) return request;

  // --language goes with every run, --batch too: it was read before parsing.
  QStringList found = parser.optionNames();
  found.removeAll(QStringLiteral("language"));
  request.batch = parser.isSet(QStringLiteral("batch"));
  if (request.batch && found.size() > 1) {
    const QString other = found[0] == QLatin1String("batch") ? found[1] : found[0];
    return UsageError{Format(Tr("--batch は他のオプションと一緒に使えません（%1）"),
                             {"--" + other.toStdString()})};
  }

  // A state file first; the options given beside it override its values.
  if (parser.isSet(QStringLiteral("state"))) {
    auto loaded = state::LoadStateFile(parser.value(QStringLiteral("state")));
    if (auto* error = std::get_if<UsageError>(&loaded))
      return UsageError{Format(Tr("--state の%1"), {error->message})};
    request.state = std::get<scene::State>(loaded);
  }
  if (auto error = state::ReadState(parser, request.state)) return *error;
  request.analysis = parser.isSet(QStringLiteral("analysis"));
  request.json = parser.isSet(QStringLiteral("json"));
  request.crlf = parser.isSet(QStringLiteral("crlf"));
  if (parser.isSet(QStringLiteral("scale"))) {
    const QString scale = parser.value(QStringLiteral("scale"));
    if (auto error = state::ReadRange("scale", scale, 1, 4, request.scale)) return *error;
  }
  for (const char* picture : {"png", "svg"}) {
    const QString name = QString::fromLatin1(picture);
    if (!parser.isSet(name)) continue;
    const QString file = parser.value(name);
    if (file.isEmpty()) return UsageError{Format(Tr("%1 のファイル名が空です"), {Dashed(picture)})};
    (std::string_view(picture) == "png" ? request.png : request.svg) = file;
  }

  if (parser.isSet(QStringLiteral("scale")) && !request.png && !request.svg &&
      !parser.isSet(QStringLiteral("plot"))) {
    return UsageError{Tr("--scale は画像を書く --png, --svg か --plot と一緒に使います")};
  }
  if (request.png && request.svg && !IsStdout(request.png) &&
      SameFile(*request.png, *request.svg)) {
    return UsageError{Format(Tr("--png と --svg に同じファイル「%1」は指定できません"),
                             {state::Shown(*request.svg)})};
  }

  if (auto error = CheckStandardOutput(parser, request)) return *error;
  if (auto error = ReadConvergenceOptions(parser, request)) return *error;
  for (const std::optional<QString>& picture : {request.png, request.svg}) {
    if (request.plot && picture && !IsStdout(request.plot) && SameFile(*picture, *request.plot)) {
      return UsageError{Format(Tr("--plot に画像と同じファイル「%1」は指定できません"),
                               {state::Shown(*request.plot)})};
    }
  }
  return request;
}

}  // namespace

std::optional<UsageError> CheckStandardOutput(const QCommandLineParser& parser,
                                              const Request& request) {
  if (IsStdout(request.png) && IsStdout(request.svg)) {
    return UsageError{Tr("--png と --svg の両方を標準出力（-）には書けません")};
  }
  const char* picture = IsStdout(request.png)    ? "--png -"
                        : IsStdout(request.svg)  ? "--svg -"
                        : IsStdout(request.plot) ? "--plot -"
                                                 : nullptr;
  if (picture == nullptr) return std::nullopt;
  for (const char* text : {"json", "crlf", "analysis", "convergence"}) {
    if (parser.isSet(QString::fromLatin1(text))) {
      return UsageError{Format(Tr("%1 は %2 と一緒に使えません: 標準出力には画像だけを書きます"),
                               {Dashed(text), picture})};
    }
  }
  if (IsStdout(request.plot) && (IsStdout(request.png) || IsStdout(request.svg))) {
    return UsageError{Format(Tr("--plot - と %1 - の両方を標準出力には書けません"),
                             {IsStdout(request.png) ? "--png" : "--svg"})};
  }
  return std::nullopt;
}

Parsed ParseArguments(const QStringList& arguments) {
  return Parse(arguments, state::Where::Command);
}

Parsed ParseBatchLine(std::string_view line) {
  QStringList arguments = state::SplitLine(line);
  if (arguments.isEmpty()) return UsageError{Tr("空の行です")};
  arguments.prepend(QStringLiteral("bezierlab-report"));
  return Parse(arguments, state::Where::BatchLine);
}

}  // namespace cli
