// Reading options. QCommandLineParser collects the values; before it runs, one
// pass over the arguments finds everything it would either accept (single-dash
// words, positional arguments) or report in English (unknown options, missing
// or unexpected values).

#include "StateOptions.h"

#include <array>

#include "PathBytes.h"
#include "ReadWhole.h"
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

// The longest piece of a bad value repeated in a message.
constexpr qsizetype kShownValueLength = 60;

const KnownOption* Find(std::span<const KnownOption> table, const QString& name) {
  for (const KnownOption& known : table) {
    if (name == QLatin1String(known.name)) return &known;
  }
  return nullptr;
}

const KnownOption* FindLetter(std::span<const KnownOption> table, const QString& argument) {
  for (const KnownOption& known : table) {
    if (known.letter != 0 && argument.size() == 2 && argument[1] == QLatin1Char(known.letter)) {
      return &known;
    }
  }
  return nullptr;
}

// The pass before the parser: each argument is a known long option (with its
// value, inline or next), or a mistake.
std::optional<UsageError> CheckShape(std::span<const KnownOption> table,
                                     const QStringList& arguments, Where where) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QLatin1String("--")) {
      if (i + 1 < arguments.size()) {
        return UsageError{Format(Tr("余分な引数「%1」があります"), {Shown(arguments[i + 1])})};
      }
      break;
    }
    if (a.startsWith(QLatin1String("--"))) {
      const qsizetype equals = a.indexOf(QLatin1Char('='));
      const QString name = a.mid(2, equals < 0 ? -1 : equals - 2);
      const KnownOption* known = Find(table, name);
      if (known == nullptr)
        return UsageError{Format(Tr("%1 というオプションはありません"), {Shown(a)})};
      if (where == Where::BatchLine && !known->inBatchLine) {
        return UsageError{Format(Tr("%1 は --batch の行では使えません"), {Dashed(known->name)})};
      }
      if (!known->takesValue && equals >= 0) {
        return UsageError{
            Format(Tr("%1 は値をとりません（「%2」）"), {Dashed(known->name), Shown(a)})};
      }
      if (known->takesValue && equals < 0) {
        if (i + 1 == arguments.size()) {
          return UsageError{Format(Tr("%1 の値がありません"), {Dashed(known->name)})};
        }
        ++i;  // the value, whatever it looks like
      }
      continue;
    }
    if (a.size() > 1 && a.startsWith(QLatin1Char('-'))) {
      if (const KnownOption* known = FindLetter(table, a); known != nullptr) {
        if (known->takesValue && ++i == arguments.size()) {
          return UsageError{Format(Tr("%1 の値がありません"), {Shown(a)})};
        }
        continue;
      }
      return UsageError{
          Format(Tr("%1 は使えません: オプションは --points のように - を 2 つ付けて書きます"),
                 {Shown(a)})};
    }
    return UsageError{Format(Tr("余分な引数「%1」があります"), {Shown(a)})};
  }
  return std::nullopt;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::span<const KnownOption> StateOptions() { return kStateOptions; }

QCommandLineParser* MakeParser(std::span<const KnownOption> table) {
  auto* parser = new QCommandLineParser;
  for (const KnownOption& known : table) {
    QStringList names{QString::fromLatin1(known.name)};
    if (known.letter != 0) names.prepend(QString(QLatin1Char(known.letter)));
    parser->addOption(known.takesValue
                          ? QCommandLineOption(names, QString(), QStringLiteral("value"))
                          : QCommandLineOption(names));
  }
  return parser;
}

std::optional<UsageError> Parse(QCommandLineParser& parser, std::span<const KnownOption> table,
                                const QStringList& arguments, Where where) {
  if (std::optional<UsageError> error = CheckShape(table, arguments, where)) return error;
  if (!parser.parse(arguments)) {
    // Not reached after the pass above; kept so that no English text leaks.
    return UsageError{Tr("引数を読めません")};
  }
  const QStringList found = parser.optionNames();
  for (const KnownOption& known : table) {
    const qsizetype byLetter =
        known.letter != 0 ? found.count(QString(QLatin1Char(known.letter))) : 0;
    if (found.count(QLatin1String(known.name)) + byLetter > 1) {
      return UsageError{Format(Tr("%1 が 2 回以上指定されています"), {Dashed(known.name)})};
    }
  }
  return std::nullopt;
}

std::variant<scene::State, UsageError> ParseState(const QStringList& arguments) {
  static QCommandLineParser* parser = MakeParser(kStateOptions);
  scene::State chosen;
  if (auto error = Parse(*parser, kStateOptions, arguments, Where::Command)) return *error;
  if (auto error = ReadState(*parser, chosen)) return *error;
  return chosen;
}

QStringList SplitLine(std::string_view line) {
  QStringList arguments;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) {
      arguments.append(FromBytes(line.substr(start, i - start)));
    }
  }
  return arguments;
}

std::string Dashed(const char* name) { return std::string("--") + name; }

// Control characters and bytes that are no UTF-8 are escaped so the message
// stays on one line and readable, and very long values are shortened.
std::string Shown(const QString& value) {
  std::string shown = files::Readable(ToBytes(value.left(kShownValueLength)));
  if (value.size() > kShownValueLength) shown += "…";
  return shown;
}

}  // namespace state
