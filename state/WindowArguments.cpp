// The window program's command line: FILE and -h are taken out here, the rest
// goes through the state's option parser.

#include "WindowArguments.h"

#include <vector>

#include "PathBytes.h"
#include "StateFile.h"
#include "StateOptions.h"

namespace state {

namespace {

const std::vector<KnownOption>& Table() {
  static const std::vector<KnownOption> table = [] {
    std::vector<KnownOption> all(StateOptions().begin(), StateOptions().end());
    all.push_back({"language", true, false});  // read before anything else: i18n::StartLanguage
    all.push_back({"help", false, false});
    all.push_back({"version", false, false});
    return all;
  }();
  return table;
}

bool TakesValue(const QString& argument) {
  if (!argument.startsWith(QLatin1String("--")) || argument.contains(QLatin1Char('='))) {
    return false;
  }
  for (const KnownOption& known : Table()) {
    if (argument.mid(2) == QLatin1String(known.name)) return known.takesValue;
  }
  return false;
}

// Takes FILE (the last argument when it is no option nor an option's value,
// or the one after a final "--") out of `arguments`, and spells -h as --help.
std::optional<QString> TakeFile(QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    const bool last = i + 1 == arguments.size();
    if (a == QLatin1String("--") && i + 2 == arguments.size()) {
      const QString file = arguments[i + 1];
      arguments.remove(i, 2);
      return file;
    }
    if (a == QLatin1String("-h")) {
      arguments[i] = QStringLiteral("--help");
    } else if (TakesValue(a)) {
      ++i;
    } else if (last && !a.startsWith(QLatin1Char('-'))) {
      const QString file = a;
      arguments.removeLast();
      return file;
    }
  }
  return std::nullopt;
}

}  // namespace

std::variant<WindowStart, StartError> ReadWindowArguments(const QStringList& arguments) {
  QStringList options = arguments;
  WindowStart start;
  start.file = TakeFile(options);
  const auto collected = CollectOptions(Table(), OptionBytes(options), Where::Command);
  if (const auto* error = std::get_if<UsageError>(&collected)) return StartError{error->message};
  const FoundOptions& found = std::get<FoundOptions>(collected);

  // The options are checked before FILE is read, so that a mistake in them is
  // reported as one whatever FILE holds.
  if (auto error = ReadState(found, start.state)) return StartError{error->message};
  if (start.file) {
    // The file's own state first, within the window's reach: a mistake in it
    // is the file's and names it, one the options bring in is theirs.
    auto loaded = LoadWindowStateFile(*start.file);
    if (auto* error = std::get_if<UsageError>(&loaded)) return StartError{error->message, true};
    start.state = std::get<scene::State>(loaded);
    ReadState(found, start.state);
  }
  start.given = start.file.has_value() || options.size() > 1;
  start.state.grabIndex = scene::kStartGrabIndex;
  if (auto error = CheckWindowReach(start.state)) return StartError{error->message};
  return start;
}

}  // namespace state
