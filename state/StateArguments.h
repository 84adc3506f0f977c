#pragma once

// The options that choose a state, as they are written on a command line or on
// one line of text (a line of batch input, a pasted line), read without Qt so
// that the desktop programs and the page read them alike. Arguments are bytes
// (UTF-8, or whatever a command line held). The state options are long
// options (a program may add one-letter aliases such as -h, see KnownOption);
// every mistake gets one Japanese line that names the option and the value at
// fault. A program adds its own options to the table it reads with.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "Scene.h"
#include "UsageError.h"

namespace state {

struct KnownOption {
  const char* name;
  bool takesValue;
  bool inBatchLine;  // allowed on a line of batch input
  char letter = 0;   // a one-letter alias (-h for --help), or none
};

// The options that choose a state: --points, --divisions, --distance,
// --no-approximate, --no-accurate, --grabbed.
std::span<const KnownOption> StateOptions();

// The options every desktop program takes beside the state's and its own:
// --language (read before anything else: i18n::StartLanguage), -h or --help,
// --version.
std::span<const KnownOption> CommonOptions();

enum class Where { Command, BatchLine };

// The options found among some arguments, in the order given, each with its
// value ("" for an option that takes none).
class FoundOptions {
 public:
  void Add(const KnownOption& option, std::string value);
  bool IsSet(std::string_view name) const;
  // The value of `name`, when it was given.
  std::optional<std::string_view> Value(std::string_view name) const;
  // The long names, in the order given.
  std::vector<std::string_view> Names() const;

 private:
  std::vector<std::pair<const KnownOption*, std::string>> found_;
};

// The options of `table` among `arguments` (the program name left out), after
// checking that each argument is one of them, allowed `where` it stands, with
// its value when it takes one, and given once.
std::variant<FoundOptions, UsageError> CollectOptions(std::span<const KnownOption> table,
                                                      std::span<const std::string> arguments,
                                                      Where where);

// The state chosen by the state options found; options not given keep the
// values `state` has.
std::optional<UsageError> ReadState(const FoundOptions& found, scene::State& state);

// A whole number from `low` to `high` for `option`.
std::optional<UsageError> ReadRange(const char* option, std::string_view value, int low, int high,
                                    int& out);

// The state options alone, over the start state.
std::variant<scene::State, UsageError> ParseStateArguments(std::span<const std::string> arguments);

// One line of text split at ASCII white space into arguments.
std::vector<std::string> SplitLine(std::string_view line);

// A line of state options, as StateLineText writes it, over the start state;
// white space at its ends (Trimmed) is no argument.
std::variant<scene::State, UsageError> ParseStateLine(std::string_view line);

// "--name".
std::string Dashed(const char* name);

}  // namespace state
