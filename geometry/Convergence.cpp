#include "Convergence.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Analysis.h"
#include "DivisionCounts.h"
#include "Vendrel.h"

namespace geometry {

namespace {

// 40 steps per decade over five decades: dense enough for a smooth line, and
// about 1.8 million samples of the sum in all, a few milliseconds.
constexpr int kStepsPerDecade = 40;
constexpr int kDecades = 5;

// The analysis's reference length, whether it met its accuracy and what it
// cost; NaN and not converged when it could not be computed.
MeasuredLength ReferenceOf(std::span<const IntPoint> P) {
  try {
    const MeasuredLength r = MeasureReferenceLength(P);
    if (std::isfinite(r.value)) return r;
  } catch (const Error&) {
  }
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  return {kNaN, false, 0, kNaN};
}

// The sample count of every row, by the sum's own loop (Vendrel::CurveLengthSamples).
const std::vector<std::int64_t>& SampleCounts() {
  static const std::vector<std::int64_t> counts = [] {
    std::vector<std::int64_t> all;
    for (double n : ConvergenceDivisions()) all.push_back(Vendrel::CurveLengthSamples(n));
    return all;
  }();
  return counts;
}

}  // namespace

const std::vector<double>& ConvergenceDivisions() {
  static const std::vector<double> divisions = [] {
    // The window's four counts are on the ladder already (k = 40, 80, 120,
    // 160); they are added anyway so that the table always has them.
    std::vector<double> all(kDivisionCounts.begin(), kDivisionCounts.end());
    for (int k = 0; k <= kStepsPerDecade * kDecades; ++k) {
      all.push_back(std::round(std::pow(10.0, static_cast<double>(k) / kStepsPerDecade)));
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  }();
  return divisions;
}

ConvergenceTable Convergence(std::span<const IntPoint> P) {
  CheckSubscript(P.size(), 4);
  const MeasuredLength reference = ReferenceOf(P);
  const double r = reference.value;
  ConvergenceTable table{{P[0], P[1], P[2], P[3]}, r, reference.converged, reference.evaluations,
                         reference.estimate,       {}};
  const std::vector<double>& divisions = ConvergenceDivisions();
  const std::vector<std::int64_t>& samples = SampleCounts();
  table.rows.reserve(divisions.size());
  for (std::size_t i = 0; i < divisions.size(); ++i) {
    ConvergenceRow row;
    row.divisions = divisions[i];
    row.samples = samples[i];
    try {
      row.length = Vendrel::CurveLength(P, row.divisions);
    } catch (const Error& e) {
      row.error = e.kind();
    }
    if (row.length && std::isfinite(r)) {
      row.absoluteError = *row.length - r;
      if (r != 0) row.relativeError = *row.absoluteError / r;
    }
    table.rows.push_back(row);
  }
  return table;
}

}  // namespace geometry
