#pragma once

// The plots as PNG or SVG files' bytes, in the picture module. A plot has
// text, so it needs fonts, and fonts need a GUI application: the module makes
// one (on the offscreen platform, never a window) only when a plot is asked for.

#include <optional>
#include <string>

#include "Options.h"
#include "Pictures.h"

namespace cli {

// --plot: the convergence plot of `plot.table` in `plot.format`, at the
// request's scale, its ticked counts emphasised, into `plot.bytes`; or the
// message why it could not be made.
std::optional<std::string> PaintConvergencePlot(PlotJob<geometry::ConvergenceTable>& plot,
                                                const Request& request);

// --rules-plot: the length rules' plot of `plot.table`, likewise.
std::optional<std::string> PaintRulesPlot(PlotJob<geometry::LengthRulesTable>& plot,
                                          const Request& request);

// --offset-plot: the offset study's plot of `plot.table` for the request's
// points, likewise.
std::optional<std::string> PaintOffsetPlot(PlotJob<geometry::OffsetStudy>& plot,
                                           const Request& request);

}  // namespace cli
