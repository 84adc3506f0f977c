#pragma once

// The scene's result as one JSON object, built only from what the scene
// recorded: every value as it was computed, every failed step by the name of
// its error. Keys are English; numbers keep their full double precision.
// Written as text by state::JsonText (the bytes Qt's JSON writer would give).

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

#include "Scene.h"

namespace cli {

// "Overflow", "DivisionByZero", "InvalidOperation", "SubscriptOutOfRange".
const char* ErrorName(geometry::ErrorKind kind);

// A number, null when it is missing or not finite.
nlohmann::json OptionalNumber(const std::optional<double>& value);

// What a row of the convergence table and of the rules' table both hold:
// "samples", "length", "absoluteError", "relativeError" (null when missing),
// and "error" with its kind when the row failed.
template <typename Row>
nlohmann::json SumJson(const Row& row) {
  nlohmann::json object = {{"samples", static_cast<std::int64_t>(row.samples)},
                           {"length", OptionalNumber(row.length)},
                           {"absoluteError", OptionalNumber(row.absoluteError)},
                           {"relativeError", OptionalNumber(row.relativeError)}};
  if (row.error) object["error"] = ErrorName(*row.error);
  return object;
}

// The result, with its analysis under "analysis" when one is given. Its
// member "state" is the state as a state file holds it, so that the output
// reads back as a state file.
nlohmann::json ToJson(const scene::Result& result, const geometry::Analysis* analysis = nullptr);

// The analysis alone. A value that is not finite is null.
nlohmann::json ToJson(const geometry::Analysis& analysis);

}  // namespace cli
