#pragma once

// Reading a state file by its path's bytes, without Qt: the file's refusals
// (missing, a folder, no regular file, unreadable and why, too large), then
// its JSON through the state's Qt-free rules (StateJson.h). Every message
// names the file.

#include <string>
#include <variant>

#include "Scene.h"
#include "UsageError.h"

namespace state {

// The bytes of the state file at `path`, or why it cannot be read.
std::variant<std::string, UsageError> ReadStateFileBytes(const std::string& path);

// The state in the file at `path`, over the start state.
std::variant<scene::State, UsageError> LoadStateFileAt(const std::string& path);

}  // namespace state
