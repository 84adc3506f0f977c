#pragma once

// The convergence plot (F2) for the page: the table for the points shown,
// laid out by scene's one plot layout and written as JSON for the page's
// canvas to paint, with the rows of the window's four counts.

#include <string>

#include "PlotLayout.h"
#include "Scene.h"

namespace web {

std::string PlotJson(const scene::State& state, double width, double height,
                     const scene::plot::Measure& measure);

// The length rules' plot of the same points, with the rules' summary as rows.
std::string RulesPlotJson(const scene::State& state, double width, double height,
                          const scene::plot::Measure& measure);

}  // namespace web
