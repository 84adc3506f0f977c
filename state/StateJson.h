#pragma once

// The state file's rules without Qt, for the desktop programs and the page
// alike: the "state" member written as JSON, and its members read back with
// the messages that name a member of the wrong type or an unknown one.
// (StateFile.h describes the file.)

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

#include "Scene.h"
#include "UsageError.h"

namespace state {

// The "state" member for `state`.
nlohmann::json StateObject(const scene::State& state);

// A whole state file for `state`, as the programs write it.
std::string StateFileText(const scene::State& state);

// The members of a "state" object, over the start state.
std::variant<scene::State, UsageError> ReadStateObject(const nlohmann::json& object);

// The state in a whole state file's bytes, or a pasted state file, read by
// the one JSON reader (JsonRead.h) in every program.
std::variant<scene::State, UsageError> ParseStateJson(std::string_view bytes);

// A JSON value as it is written in a file, quoted in a message.
std::string ShownJson(const nlohmann::json& value);

}  // namespace state
