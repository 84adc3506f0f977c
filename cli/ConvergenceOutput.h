#pragma once

// --convergence and --plot: the convergence table after the report, in its
// JSON, in --batch lines, and the options of the plot file.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "Convergence.h"
#include "Options.h"

namespace cli {

// Reads --convergence, --plot and --plot-format into `request`. The plot's
// format is --plot-format when given, else the file's extension (.svg or
// .png); "-" (standard output) needs --plot-format and carries nothing else.
std::optional<UsageError> ReadConvergenceOptions(const state::FoundOptions& found,
                                                 Request& request);

// The rows as {"divisions", "samples", "length", "absoluteError",
// "relativeError"}; a failed row has null values and "error": its kind.
nlohmann::json ConvergenceJson(const geometry::ConvergenceTable& table);

// Adds "convergence" and "convergenceReference" ({"length", "converged"}) to
// a result's object.
void InsertConvergence(nlohmann::json& object, const geometry::ConvergenceTable& table);

// The table as aligned columns under a line with the reference length; every
// line ends in "\r\n".
std::string ConvergenceText(const geometry::ConvergenceTable& table);

}  // namespace cli
