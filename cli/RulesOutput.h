#pragma once

// --rules: the table of the length rules after the report, and in the JSON of
// a run or a --batch line.

#include <nlohmann/json.hpp>

#include "LengthRules.h"

namespace cli {

// {"reference": {"length", "evaluations", "estimate"}, "rows": [{"rule",
// "evaluations", "samples", "length", "absoluteError", "relativeError"}, ...]};
// a value that could not be had is null, and a failed row adds "error": its kind.
nlohmann::json RulesJson(const geometry::LengthRulesTable& table);

// Adds "rules" to a result's object.
void InsertRules(nlohmann::json& object, const geometry::LengthRulesTable& table);

}  // namespace cli
