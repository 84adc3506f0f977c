#pragma once

// --offsets and --offset-plot: the offset study after the report, in the JSON
// of a run or a --batch line, and the options of its plot file.

#include <QJsonObject>
#include <optional>

#include "OffsetStudy.h"
#include "Options.h"

namespace cli {

// Reads --offsets, --offset-plot and, for the plot, --plot-format into
// `request`: the plot's format is --plot-format when given, else the file's
// extension (.svg or .png); "-" (standard output) needs --plot-format and
// carries nothing else.
std::optional<UsageError> ReadOffsetOptions(const state::FoundOptions& found, Request& request);

// The study of the request's state at its distance.
geometry::OffsetStudy StudyOf(const Request& request);

// Numbers only, under English keys: {"distance", "degenerate", "drawn" (the
// yellow curve's points, or null, with "drawnError"), "asDrawn" ({"max", "u",
// "converged"} or null), "h", "curvature", "factor" (201 values each at
// i/200, null where undefined), "pieceH" ([{"pieces": 2, 4, 8, "h": h(u) of
// the curve in that many pieces at the same u, empty where not built}]), "cusps" ([{"t", "x",
// "y"}]), "negative"
// ([{"from", "to"}]), "zeroTangents", "splitting" ([{"pieces", "deviation",
// "converged", "ratio", "order"}]), "fewest" ([{"target", "pieces"}])}.
QJsonObject OffsetsJson(const geometry::OffsetStudy& study);

// Adds "offsets" to a result's object.
void InsertOffsets(QJsonObject& object, const geometry::OffsetStudy& study);

}  // namespace cli
