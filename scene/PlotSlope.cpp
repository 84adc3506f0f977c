#include "PlotSlope.h"

namespace scene::plot {

using geometry::ConvergenceRow;

std::optional<double> SlopeConstant(const geometry::ConvergenceTable& table) {
  const ConvergenceRow* anchor = nullptr;
  for (const ConvergenceRow& row : table.rows) {
    if (Showable(row) && (anchor == nullptr || !Quirk(row) || Quirk(*anchor))) anchor = &row;
  }
  if (anchor == nullptr) return std::nullopt;
  return std::fabs(*anchor->relativeError) * anchor->divisions;
}

}  // namespace scene::plot
