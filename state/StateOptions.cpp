#include "StateOptions.h"

#include "PathBytes.h"

namespace state {

std::variant<scene::State, UsageError> ParseState(const QStringList& arguments) {
  return ParseStateArguments(OptionBytes(arguments));
}

std::string Shown(const QString& value) { return Shown(ToBytes(value)); }

}  // namespace state
