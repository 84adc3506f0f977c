#pragma once

// A state as a file and as one line of text. A state file is a JSON object
// whose member "state" holds the control points and the options:
//
//   {"state": {"points": [[50,50],[150,50],[150,150],[50,150]], "grabbed": -1,
//              "divisions": [1000], "approximate": true, "accurate": true,
//              "distance": 30}}
//
// Inside "state" a missing member keeps the start state's value; a member of
// the wrong type or an unknown member is refused by name. Members of the file
// outside "state" are ignored, so the report tool's JSON output, which carries
// the same member, reads as a state file too.
//
// The window takes only the states a user can reach in it: control points
// within a drag's reach and a whole distance in the scroll bar's range
// (StateRules.h). The JSON reader and the rules of the file's members are
// Qt-free (JsonRead.h, StateJson.h), the same in every program; this reads
// files and pasted text with them, and gives the writer Qt's JSON and strings.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>

#include "Pointer.h"
#include "Scene.h"
#include "StateOptions.h"
#include "StateRules.h"

namespace state {

// The file name extension of a saved state, without its dot.
inline constexpr const char* kStateFileSuffix = "bezierlab";

// The "state" member for `state`.
QJsonObject ToJson(const scene::State& state);

// A whole state file for `state`: indented JSON, ending in a line end.
QByteArray StateFileBytes(const scene::State& state);

// The state in a state file's bytes, over the start state.
std::variant<scene::State, UsageError> ParseStateFile(const QByteArray& bytes);

// The state in the file at `path` (text from PathBytes.h: opened by the
// bytes it came from). The message names the file and what is wrong with it:
// missing, a folder or no regular file, unreadable and why, too large, or
// what it holds.
std::variant<scene::State, UsageError> LoadStateFile(const QString& path);

// The same for the window, which takes only the states it can reach: a state
// beyond its reach is refused with the file named (CheckFileWindowReach).
std::variant<scene::State, UsageError> LoadWindowStateFile(const QString& path);

// A state pasted as text: one line of state options, or a state file's JSON,
// with at most kLargestStateText bytes.
std::variant<scene::State, UsageError> ParseStateText(const QString& text);

// The state as one line of options that both programs accept.
QString StateLine(const scene::State& state);

}  // namespace state
