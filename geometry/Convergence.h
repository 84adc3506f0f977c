#pragma once

// How the curve-length sum converges: the window's own sum, Vendrel::CurveLength
// with all its rounding and its accumulated parameter, taken for a fixed ladder
// of division counts from 1 to 100,000 and set against the reference length of
// the analysis. A left Riemann sum of a smooth speed errs by about
// (3|P1 - P0| - 3|P3 - P2|) / (2n), so on log-log axes its error falls with
// slope -1; rows where the accumulated parameter stops one sample early (99
// samples for n = 100) fall off that line. No Qt.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Arithmetic.h"
#include "IntPoint.h"

namespace geometry {

// One division count n and what the sum gave for it.
struct ConvergenceRow {
  double divisions = 0;
  std::int64_t samples = 0;             // the samples the sum's loop takes for n
  std::optional<double> length;         // none when the sum failed
  std::optional<double> absoluteError;  // length - reference; none when either is missing
  std::optional<double> relativeError;  // (length - reference) / reference; none at r = 0
  std::optional<ErrorKind> error;       // what abandoned the sum
};

struct ConvergenceTable {
  std::array<IntPoint, 4> P{};  // the control points the table is for
  double referenceLength = 0;   // NaN when it could not be computed
  // False when the reference length fell short of its stated accuracy (or
  // could not be computed): the errors below are then only as good as it is.
  bool referenceConverged = true;
  // What the reference cost and how far it may be off (MeasureReferenceLength);
  // 0 and NaN when it could not be computed.
  std::int64_t referenceEvaluations = 0;
  double referenceEstimate = 0;
  std::vector<ConvergenceRow> rows;  // ascending n
};

// The division counts: round(10^(k/40)) for k = 0 .. 200, without repeats,
// with 10, 100, 1000 and 10000 (already among them), ascending.
const std::vector<double>& ConvergenceDivisions();

// The table for the control points P(0)..P(3). About 1.8 million samples of
// the sum in all; the sample counts depend on n alone and are counted once per
// process. Raises Error (subscript out of range) when P has fewer
// than four points; a sum that fails is recorded in its row.
ConvergenceTable Convergence(std::span<const IntPoint> P);

}  // namespace geometry
