#pragma once

// --plot: the convergence plot as a PNG or SVG file's bytes. The plot has
// text, so it needs fonts, and fonts need a GUI application: the tool makes
// one (on the offscreen platform, never a window) only when --plot is asked for.

#include <QByteArray>
#include <optional>
#include <string>

#include "Convergence.h"
#include "Options.h"

namespace cli {

// Whether the command line asks for a plot.
bool WantsPlot(int argc, char** argv);

// The plot for `request` (its format, its scale, its ticked counts), or the
// message why it could not be made.
struct PlotBytes {
  QByteArray bytes;
  std::optional<std::string> failure;
};
PlotBytes MakePlot(const Request& request, const geometry::ConvergenceTable& table);

}  // namespace cli
