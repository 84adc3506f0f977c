#pragma once

// The division counts the window offers for the curve-length sum, one per
// box Check1(0..3), ascending. Every list of them (the report, the state's
// text forms, the convergence table, plot and window) reads them from here.

#include <array>

namespace geometry {

inline constexpr std::array<double, 4> kDivisionCounts{10, 100, 1000, 10000};

}  // namespace geometry
