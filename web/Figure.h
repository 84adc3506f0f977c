#pragma once

// A plot's figure (scene/PlotFigure.h) as JSON for the page's canvas to
// paint (plot.js walks its items), with the plot's rows as text for a screen
// reader.

#include <string>
#include <vector>

#include "PlotFigure.h"

namespace web {

// {"figure": {"width", "height", "background", "dash", "items": [{"kind":
// "line" | "box" | "mark" | "text" | "group" | "end", ...}]}, "rows": [...]}.
std::string FigureJson(const scene::plot::Figure& figure, const std::vector<std::string>& rows);

}  // namespace web
