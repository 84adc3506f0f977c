// Reading options: one pass over the arguments finds each option and its
// value, inline (--name=value) or next (--name value, whatever the value looks
// like), and refuses everything else (single-dash words, arguments that are no
// option, unknown options, missing or unexpected values); then an option given
// twice is refused.

#include "StateArguments.h"

#include <algorithm>
#include <array>

#include "StateRules.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

namespace {

constexpr std::array<KnownOption, 6> kStateOptions{{
    {"points", true, true},
    {"divisions", true, true},
    {"distance", true, true},
    {"no-approximate", false, true},
    {"no-accurate", false, true},
    {"grabbed", true, true},
}};

constexpr std::array<KnownOption, 3> kCommonOptions{{
    {"language", true, false},
    {"help", false, false, 'h'},
    {"version", false, false},
}};

const KnownOption* Find(std::span<const KnownOption> table, std::string_view name) {
  for (const KnownOption& known : table) {
    if (name == known.name) return &known;
  }
  return nullptr;
}

const KnownOption* FindLetter(std::span<const KnownOption> table, std::string_view argument) {
  for (const KnownOption& known : table) {
    if (known.letter != 0 && argument.size() == 2 && argument[1] == known.letter) return &known;
  }
  return nullptr;
}

UsageError Stray(std::string_view argument) {
  return {Format(Tr("余分な引数「%1」があります"), {Shown(argument)})};
}

// The first mistake in the arguments' shape, or every option found.
std::variant<FoundOptions, UsageError> CollectShapes(std::span<const KnownOption> table,
                                                     std::span<const std::string> arguments,
                                                     Where where) {
  FoundOptions found;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view a = arguments[i];
    if (a == "--") {
      if (i + 1 < arguments.size()) return Stray(arguments[i + 1]);
      break;
    }
    if (a.starts_with("--")) {
      const std::size_t equals = a.find('=');
      const std::string_view name =
          a.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2);
      const KnownOption* known = Find(table, name);
      if (known == nullptr)
        return UsageError{Format(Tr("%1 というオプションはありません"), {Shown(a)})};
      if (where == Where::BatchLine && !known->inBatchLine) {
        return UsageError{Format(Tr("%1 は --batch の行では使えません"), {Dashed(known->name)})};
      }
      if (!known->takesValue && equals != std::string_view::npos) {
        return UsageError{
            Format(Tr("%1 は値をとりません（「%2」）"), {Dashed(known->name), Shown(a)})};
      }
      if (!known->takesValue) {
        found.Add(*known, "");
      } else if (equals != std::string_view::npos) {
        found.Add(*known, std::string(a.substr(equals + 1)));
      } else if (i + 1 == arguments.size()) {
        return UsageError{Format(Tr("%1 の値がありません"), {Dashed(known->name)})};
      } else {
        found.Add(*known, arguments[++i]);
      }
      continue;
    }
    if (a.size() > 1 && a.starts_with('-')) {
      const KnownOption* known = FindLetter(table, a);
      if (known == nullptr) {
        return UsageError{
            Format(Tr("%1 は使えません: オプションは --points のように - を 2 つ付けて書きます"),
                   {Shown(a)})};
      }
      if (!known->takesValue) {
        found.Add(*known, "");
      } else if (i + 1 == arguments.size()) {
        return UsageError{Format(Tr("%1 の値がありません"), {Shown(a)})};
      } else {
        found.Add(*known, arguments[++i]);
      }
      continue;
    }
    return Stray(a);
  }
  return found;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

void FoundOptions::Add(const KnownOption& option, std::string value) {
  found_.emplace_back(&option, std::move(value));
}

bool FoundOptions::IsSet(std::string_view name) const { return Value(name).has_value(); }

std::optional<std::string_view> FoundOptions::Value(std::string_view name) const {
  for (const auto& [option, value] : found_) {
    if (name == option->name) return value;
  }
  return std::nullopt;
}

std::vector<std::string_view> FoundOptions::Names() const {
  std::vector<std::string_view> names;
  for (const auto& given : found_) names.emplace_back(given.first->name);
  return names;
}

std::span<const KnownOption> StateOptions() { return kStateOptions; }

std::span<const KnownOption> CommonOptions() { return kCommonOptions; }

std::variant<FoundOptions, UsageError> CollectOptions(std::span<const KnownOption> table,
                                                      std::span<const std::string> arguments,
                                                      Where where) {
  auto collected = CollectShapes(table, arguments, where);
  if (const auto* found = std::get_if<FoundOptions>(&collected)) {
    // In the table's order, whichever was given twice first.
    const std::vector<std::string_view> names = found->Names();
    for (const KnownOption& known : table) {
      if (std::count(names.begin(), names.end(), known.name) > 1) {
        return UsageError{Format(Tr("%1 が 2 回以上指定されています"), {Dashed(known.name)})};
      }
    }
  }
  return collected;
}

std::variant<scene::State, UsageError> ParseStateArguments(std::span<const std::string> arguments) {
  const auto collected = CollectOptions(kStateOptions, arguments, Where::Command);
  if (const auto* error = std::get_if<UsageError>(&collected)) return *error;
  scene::State chosen;
  if (auto error = ReadState(std::get<FoundOptions>(collected), chosen)) return *error;
  return chosen;
}

std::vector<std::string> SplitLine(std::string_view line) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) arguments.emplace_back(line.substr(start, i - start));
  }
  return arguments;
}

std::variant<scene::State, UsageError> ParseStateLine(std::string_view line) {
  return ParseStateArguments(SplitLine(Trimmed(line)));
}

std::string Dashed(const char* name) { return std::string("--") + name; }

}  // namespace state
