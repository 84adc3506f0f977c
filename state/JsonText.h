#pragma once

// JSON text written byte for byte as QJsonDocument writes it, without Qt, so
// that the desktop programs and the page write (and quote in their messages)
// the same bytes: keys in order, Compact without any space, Indented with
// four spaces per level and a line end after the whole; a whole number up
// to 2^53 as an integer, any other number in its shortest form, decimal
// or with an exponent of at least two digits, whichever is shorter (decimal
// when both are as long); no number that is not finite (null instead).

#include <nlohmann/json.hpp>
#include <string>

namespace state {

enum class JsonFormat { kCompact, kIndented };

std::string JsonText(const nlohmann::json& value, JsonFormat format);

// A finite number in the shortest form that reads back as the same double
// (or float): decimal or with an exponent, whichever is shorter, a whole
// number with all its digits, as std::to_chars writes it.
std::string ShortestText(double value);
std::string ShortestText(float value);

}  // namespace state
