#include "Plot.h"

#include "Convergence.h"
#include "Figure.h"

namespace web {

std::string PlotJson(const scene::State& state, double width, double height,
                     const scene::plot::Measure& measure) {
  const geometry::ConvergenceTable table = geometry::Convergence(state.P);
  return FigureJson(scene::plot::LayOut(table, state.divisions, width, height, measure).figure,
                    scene::plot::WindowCountLines(table));
}

}  // namespace web
