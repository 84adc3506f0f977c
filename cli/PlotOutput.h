#pragma once

// --plot and --offset-plot: the convergence plot and the offset study's plot
// as a PNG or SVG file's bytes. A plot has text, so it needs fonts, and fonts
// need a GUI application: the tool makes one (on the offscreen platform, never
// a window) only when a plot is asked for.

#include <QByteArray>
#include <optional>
#include <string>

#include "Convergence.h"
#include "OffsetStudy.h"
#include "Options.h"

namespace cli {

// Whether the command line asks for a plot (--plot or --offset-plot).
bool WantsPlot(int argc, char** argv);

// The plot for `request` (its format, its scale, its ticked counts), or the
// message why it could not be made.
struct PlotBytes {
  QByteArray bytes;
  std::optional<std::string> failure;
};
PlotBytes MakePlot(const Request& request, const geometry::ConvergenceTable& table);

// The offset study's plot of the request's state (--offset-plot: its format,
// its scale), or the message why it could not be made.
PlotBytes MakeOffsetPlot(const Request& request, const geometry::OffsetStudy& study);

}  // namespace cli
