#pragma once

// Which rows of the convergence table the plot shows, and where its slope -1
// reference line e = c / n lies. No Qt.

#include <cmath>
#include <optional>

#include "Convergence.h"

namespace scene::plot {

// A row with a relative error that a log axis can show.
inline bool Showable(const geometry::ConvergenceRow& row) {
  return row.relativeError && std::isfinite(*row.relativeError) && *row.relativeError != 0;
}

// A row whose sum takes another number of samples than n (99 for n = 100).
inline bool Quirk(const geometry::ConvergenceRow& row) {
  return static_cast<double>(row.samples) != row.divisions;
}

// The constant c of the reference line e = c / n, placed where the rows'
// error really falls as 1/n; none without a showable row above the floor of
// single precision.
std::optional<double> SlopeConstant(const geometry::ConvergenceTable& table);

}  // namespace scene::plot
