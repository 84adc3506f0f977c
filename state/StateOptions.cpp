#include "StateOptions.h"

#include "PathBytes.h"

namespace state {

namespace {

bool TakesValue(std::span<const KnownOption> table, const QString& argument) {
  if (!argument.startsWith(QLatin1String("--")) || argument.contains(QLatin1Char('='))) {
    return false;
  }
  for (const KnownOption& known : table) {
    if (argument.mid(2) == QLatin1String(known.name)) return known.takesValue;
  }
  return false;
}

}  // namespace

std::variant<scene::State, UsageError> ParseState(const QStringList& arguments) {
  return ParseStateArguments(OptionBytes(arguments));
}

std::optional<QString> TakeOperand(std::span<const KnownOption> table, QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QLatin1String("--") && i + 2 == arguments.size()) {
      const QString operand = arguments[i + 1];
      arguments.remove(i, 2);
      return operand;
    }
    if (TakesValue(table, a)) {
      ++i;
    } else if (i + 1 == arguments.size() && !a.startsWith(QLatin1Char('-'))) {
      return arguments.takeLast();
    }
  }
  return std::nullopt;
}

std::string Shown(const QString& value) { return Shown(ToBytes(value)); }

}  // namespace state
