#pragma once

// The scene's result as one JSON object, built only from what the scene
// recorded: every value as it was computed, every failed step by the name of
// its error. Keys are English; numbers keep their full double precision.

#include <QJsonObject>

#include "Scene.h"

namespace cli {

// "Overflow", "DivisionByZero", "InvalidOperation", "SubscriptOutOfRange".
const char* ErrorName(geometry::ErrorKind kind);

// The result, with its analysis under "analysis" when one is given. Its
// member "state" is the state as a state file holds it, so that the output
// reads back as a state file.
QJsonObject ToJson(const scene::Result& result, const geometry::Analysis* analysis = nullptr);

// The analysis alone. A value that is not finite is null.
QJsonObject ToJson(const geometry::Analysis& analysis);

}  // namespace cli
