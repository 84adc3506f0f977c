#include "Plot.h"

#include "Convergence.h"
#include "Figure.h"
#include "LengthRules.h"
#include "RulesPlot.h"

namespace web {

std::string PlotJson(const scene::State& state, double width, double height,
                     const scene::plot::Measure& measure) {
  const geometry::ConvergenceTable table = geometry::Convergence(state.P);
  return FigureJson(scene::plot::LayOut(table, state.divisions, width, height, measure).figure,
                    scene::plot::WindowCountLines(table));
}

std::string RulesPlotJson(const scene::State& state, double width, double height,
                          const scene::plot::Measure& measure) {
  const geometry::LengthRulesTable table = geometry::LengthRules(state.P);
  return FigureJson(scene::plot::LayOutRules(table, width, height, measure).figure,
                    scene::plot::RulesSummaryLines(table));
}

}  // namespace web
