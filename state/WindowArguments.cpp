// The window program's command line: FILE is taken out here, the rest goes
// through the state's option parser.

#include "WindowArguments.h"

#include <string_view>
#include <vector>

#include "PathBytes.h"
#include "StateFile.h"
#include "StateOptions.h"

namespace state {

namespace {

// The state options and --language. --help and --version are answered before
// the arguments come here.
const std::vector<KnownOption>& Table() {
  static const std::vector<KnownOption> table = [] {
    std::vector<KnownOption> all(StateOptions().begin(), StateOptions().end());
    for (const KnownOption& common : CommonOptions()) {
      if (std::string_view(common.name) == "language") all.push_back(common);
    }
    return all;
  }();
  return table;
}

}  // namespace

std::variant<WindowStart, StartError> ReadWindowArguments(const QStringList& arguments) {
  QStringList options = arguments;
  WindowStart start;
  start.file = TakeOperand(Table(), options);
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
