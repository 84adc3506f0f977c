#pragma once

// --convergence and --plot: the convergence table after the report, in its
// JSON, in --batch lines, and the options of the plot file.

#include <QJsonArray>
#include <QJsonObject>
#include <optional>
#include <string>

#include "Convergence.h"
#include "Options.h"

namespace cli {

// Reads the file of the plot option `option` ("plot", "offset-plot") and its
// format: --plot-format when given, else the file's extension (.svg or .png);
// "-" (standard output) needs --plot-format.
std::optional<UsageError> ReadPlotFile(const state::FoundOptions& found, const char* option,
                                       std::optional<QString>& file, QString& format);

// Reads --convergence, --plot and --plot-format into `request`. The plot's
// format is --plot-format when given, else the file's extension (.svg or
// .png); "-" (standard output) needs --plot-format and carries nothing else.
std::optional<UsageError> ReadConvergenceOptions(const state::FoundOptions& found,
                                                 Request& request);

// The rows as {"divisions", "samples", "length", "absoluteError",
// "relativeError"}; a failed row has null values and "error": its kind.
QJsonArray ConvergenceJson(const geometry::ConvergenceTable& table);

// Adds "convergence" and "convergenceReference" ({"length", "converged"}) to
// a result's object.
void InsertConvergence(QJsonObject& object, const geometry::ConvergenceTable& table);

// The table as aligned columns under a line with the reference length; every
// line ends in "\r\n".
std::string ConvergenceText(const geometry::ConvergenceTable& table);

}  // namespace cli
