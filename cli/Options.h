#pragma once

// The options of bezierlab-report: the options that choose a state, read by
// the state's own parser, and those of the tool's outputs, from the command
// line or from one line of --batch input.

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>
#include <variant>

#include "Scene.h"
#include "StateOptions.h"

namespace cli {

using state::UsageError;

// What one run computes and writes.
struct Request {
  scene::State state;  // --state, then --points, --divisions, --distance, --no-*, --grabbed
  bool analysis = false;
  bool json = false;
  bool crlf = false;
  std::optional<QString> png;  // "-" is stdout
  std::optional<QString> svg;
  int scale = 1;
  bool convergence = false;           // --convergence: the table after the report
  std::optional<QString> plot;        // --plot: the convergence plot, "-" is stdout
  QString plotFormat;                 // "svg" or "png"
  bool rules = false;                 // --rules: the table of the length rules after the report
  bool offsets = false;               // --offsets: the offset study after the report
  std::optional<QString> offsetPlot;  // --offset-plot: the offset study's plot, "-" is stdout
  QString offsetPlotFormat;           // "svg" or "png"
  bool batch = false;
  bool help = false;
  bool version = false;
};

using Parsed = std::variant<Request, UsageError>;

// The whole command line, program name first (as QCoreApplication gives it).
Parsed ParseArguments(const QStringList& arguments);

// One line of --batch input, without its line end: split at ASCII white
// space; only the options that choose the state, --analysis,
// --convergence, --rules and --offsets are allowed.
// An empty line is an error (RunBatch skips blank and comment lines).
Parsed ParseBatchLine(std::string_view line);

// Whether a value names standard output rather than a file.
inline bool IsStdout(const std::optional<QString>& file) { return file && *file == "-"; }

// Standard output carries one thing: the report, or one picture (--png -,
// --svg -, --plot - or --offset-plot -) without the report's options. Checks the pictures
// `request` holds so far against each other and against the options `found`.
std::optional<UsageError> CheckStandardOutput(const state::FoundOptions& found,
                                              const Request& request);

}  // namespace cli
