#include "RulesFigure.h"

#include "RulesPlot.h"

namespace surface {

LayOutFigure RulesFigure(const geometry::LengthRulesTable& table) {
  return [&table](double width, double height) {
    return scene::plot::LayOutRules(table, width, height, PlotMeasure()).figure;
  };
}

}  // namespace surface
