#pragma once

// The options of bezierlab-report: the options that choose a state, read by
// the state's own parser, and those of the tool's outputs, from the command
// line or from one line of --batch input.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "Scene.h"
#include "StateArguments.h"
#include "UsageError.h"

namespace cli {

using state::UsageError;

// What one run computes and writes.
struct Request {
  scene::State state;  // --state, then --points, --divisions, --distance, --no-*, --grabbed
  bool analysis = false;
  bool json = false;
  bool crlf = false;
  std::optional<std::string> png;  // a path's bytes; "-" is stdout
  std::optional<std::string> svg;
  int scale = 1;
  bool convergence = false;               // --convergence: the table after the report
  std::optional<std::string> plot;        // --plot: the convergence plot, "-" is stdout
  std::string plotFormat;                 // "svg" or "png"
  bool rules = false;                     // --rules: the table of the length rules after the report
  std::optional<std::string> rulesPlot;   // --rules-plot: the length rules' plot, "-" is stdout
  std::string rulesPlotFormat;            // "svg" or "png"
  bool offsets = false;                   // --offsets: the offset study after the report
  std::optional<std::string> offsetPlot;  // --offset-plot: the offset study's plot, "-" is stdout
  std::string offsetPlotFormat;           // "svg" or "png"
  bool batch = false;
  bool help = false;
  bool version = false;

  // Whether a picture or a plot is asked for: only then is the picture module
  // (Pictures.h) loaded.
  bool WantsPictures() const { return png || svg || plot || rulesPlot || offsetPlot; }
};

using Parsed = std::variant<Request, UsageError>;

// The command line after the program name, each argument as its bytes.
Parsed ParseArguments(std::span<const std::string> arguments);

// One line of --batch input, without its line end: split at ASCII white
// space; only the options that choose the state, --analysis,
// --convergence, --rules and --offsets are allowed.
// An empty line is an error (RunBatch skips blank and comment lines).
Parsed ParseBatchLine(std::string_view line);

// Whether a value names standard output rather than a file.
inline bool IsStdout(const std::optional<std::string>& file) { return file && *file == "-"; }

// Standard output carries one thing: the report, or one picture (--png -,
// --svg -, --plot -, --rules-plot - or --offset-plot -) without the report's
// options. Checks the pictures `request` holds so far against each other and
// against the options `found`.
std::optional<UsageError> CheckStandardOutput(const state::FoundOptions& found,
                                              const Request& request);

}  // namespace cli
