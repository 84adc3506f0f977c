#pragma once

// The window program's command line: `bezierlab [STATE OPTIONS] [FILE]`. The
// state options are the report tool's; FILE is a state file, whose values the
// options override. The window takes only states it can reach, and opens
// every state with no point grabbed.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <variant>

#include "Scene.h"

namespace state {

struct WindowStart {
  scene::State state;
  bool given = false;  // a state option or a FILE was given
  std::optional<QString> file;
};

struct StartError {
  std::string message;     // one line, without the program name
  bool aboutFile = false;  // about FILE or the state it gave, not about how options are written
};

// `arguments` as QApplication leaves them (program name first, Qt's own
// options taken out: TakeQtOptions). --help and --version are answered
// before this.
std::variant<WindowStart, StartError> ReadWindowArguments(const QStringList& arguments);

}  // namespace state
