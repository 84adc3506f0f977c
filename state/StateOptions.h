#pragma once

// The state options (StateArguments.h) as the desktop programs receive them:
// a list of Qt strings, program name first, whose bytes the rules read
// (PathBytes.h). The report tool, the screenshot tool and the window read
// states through these and the rules themselves.

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "Scene.h"
#include "StateArguments.h"
#include "StateRules.h"
#include "UsageError.h"

namespace state {

// The state options alone (program name first), over the start state.
std::variant<scene::State, UsageError> ParseState(const QStringList& arguments);

// Takes a program's one operand (FILE, OUTPUT.png) out of `arguments`
// (program name first), read with `table`: the last argument when it is no
// option nor an option's value, or the one after a final "--".
std::optional<QString> TakeOperand(std::span<const KnownOption> table, QStringList& arguments);

// A value as it is quoted in a message (StateRules.h), from its bytes.
std::string Shown(const QString& value);

}  // namespace state
