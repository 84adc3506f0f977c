#pragma once

// The one JSON reader of every program: state files, pastes and the JSON of
// batch lines' --state files, in the window, the report tool and the page
// alike (nlohmann/json). It reads what the desktop programs have always read:
//
// - strict JSON in UTF-8; bytes that are no UTF-8 are refused;
// - one UTF-8 byte order mark before the text is passed over;
// - an escaped UTF-16 surrogate without its partner (\ud800) reads as U+FFFD;
// - a number beyond a double's range, or so small that it would read as a
//   zero (1e400, 1e-400), is refused; subnormal numbers are read;
// - a member given twice in an object keeps its last value;
// - arrays and objects nest at most kDeepestJsonNesting deep.
//
// A refusal says at which byte (counted from one) the reader stopped.

#include <nlohmann/json.hpp>
#include <string_view>
#include <variant>

#include "UsageError.h"

namespace state {

// The deepest nesting of arrays and objects read, the outermost one counted.
inline constexpr int kDeepestJsonNesting = 1024;

std::variant<nlohmann::json, UsageError> ReadJson(std::string_view bytes);

}  // namespace state
