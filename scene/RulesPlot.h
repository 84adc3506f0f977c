#pragma once

// The length rules' plot laid out as a figure: |relative error| against the
// number of evaluations of the speed N on log-log axes, one series per rule in
// its own colour and mark, guides of slopes -1, -2 and -4 fanning out from the
// top left corner, the floor of double precision (10^-16) and the reference's
// own error estimate, the reference's evaluations marked, a legend and a
// caption wrapped to fit. Also the table in a few sentences for a screen
// reader. No Qt.

#include <optional>
#include <string>
#include <vector>

#include "LengthRules.h"
#include "PlotFigure.h"
#include "PlotParts.h"

namespace scene::plot {

struct RulesLayout {
  Figure figure;
  LogAxes axes;  // x: N from 10^0 to 10^6
  Rect legendBox;
  std::vector<Text> caption;  // wrapped to fit the width
  int shown = 0;              // rows drawn as points
};

// The plot of `table` over a logical size of `width` x `height` (at least
// 640 x 400 in one direction, the other one larger or equal).
RulesLayout LayOutRules(const geometry::LengthRulesTable& table, double width, double height,
                        const Measure& measure);

// The reference length with its evaluations and estimate, then for each rule
// the least |relative error| it reaches and the evaluations that takes, and
// its error at 1000 divisions, as sentences.
std::vector<std::string> RulesSummaryLines(const geometry::LengthRulesTable& table);

}  // namespace scene::plot
