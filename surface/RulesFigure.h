#pragma once

// The length rules' plot (scene/RulesPlot.h) in the plot's fonts, for
// PaintFitted, FigurePng and FigureSvg. Qt Gui only.

#include "LengthRules.h"
#include "PlotPainter.h"

namespace surface {

// `table` laid out for any logical size; `table` must outlive the result.
LayOutFigure RulesFigure(const geometry::LengthRulesTable& table);

}  // namespace surface
