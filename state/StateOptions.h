#pragma once

// The options that choose a state, as they are written on a command line or on
// one line of batch input, read with QCommandLineParser. The state options
// are long options (a program may add one-letter aliases such as -h, see
// KnownOption); everything the parser would accept loosely or answer in English is
// checked here first, so that every mistake gets one Japanese line that names
// the option and the value at fault. The report tool, the screenshot tool and
// the window read states through these functions; a program adds its own
// options to the table it parses with.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "Scene.h"

namespace state {

// A usage error: one line of text, without the program name.
struct UsageError {
  std::string message;
};

struct KnownOption {
  const char* name;
  bool takesValue;
  bool inBatchLine;  // allowed on a line of batch input
  char letter = 0;   // a one-letter alias (-h for --help), or none
};

// The options that choose a state: --points, --divisions, --distance,
// --no-approximate, --no-accurate, --grabbed.
std::span<const KnownOption> StateOptions();

enum class Where { Command, BatchLine };

// A parser for the options of `table`, to be built once and reused: every
// parse starts afresh.
QCommandLineParser* MakeParser(std::span<const KnownOption> table);

// Parses `arguments` (program name first) with `parser`, built from `table`,
// after checking that each argument is an option of the table, allowed
// `where` it stands, with its value when it takes one, and given once.
std::optional<UsageError> Parse(QCommandLineParser& parser, std::span<const KnownOption> table,
                                const QStringList& arguments, Where where);

// The state chosen by the parsed state options; options not given keep the
// values `state` has.
std::optional<UsageError> ReadState(const QCommandLineParser& parser, scene::State& state);

// A whole number from `low` to `high` for `option`.
std::optional<UsageError> ReadRange(const char* option, const QString& value, int low, int high,
                                    int& out);

// The state options alone (program name first), over the start state.
std::variant<scene::State, UsageError> ParseState(const QStringList& arguments);

// One line of batch input, without its line end, split at ASCII white space
// into arguments.
QStringList SplitLine(std::string_view line);

// The window's division counts as a list in text: "10, 100, 1000, 10000".
std::string DivisionCountList();

// "--name", and a value as it is quoted in a message (one line, shortened).
std::string Dashed(const char* name);
std::string Shown(const QString& value);

}  // namespace state
