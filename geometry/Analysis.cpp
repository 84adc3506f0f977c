// The error analysis as a whole: the reference length, the sums measured
// against it, the yellow curve's deviation and the zero tangents, each
// computed on its own (ExactRoots.cpp, ReferenceLength.cpp, Deviation.cpp) so
// that a failure of one leaves the others in place.

#include "Analysis.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <new>

#include "AnalysisDetail.h"
#include "Arithmetic.h"
#include "Vendrel.h"

namespace geometry {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Largest division count whose samples are counted: the count loops n times.
constexpr double kMaxCountedDivisions = 1e7;

// The reference length, the sums against it and the zero tangents, into `result`.
void AnalyseLengths(const detail::TangentField& f, std::span<const IntPoint> P,
                    std::span<const ComputedLength> lengths, Analysis& result) {
  result.zeroTangent = f.Roots(false);
  try {
    const detail::Length length = detail::LengthOf(f, P);
    result.referenceLength = length.value;
    result.converged.referenceLength = length.converged;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    result.referenceLength = kNaN;
  }
  if (!std::isfinite(result.referenceLength)) {
    result.referenceLength = kNaN;
    result.converged.referenceLength = false;
  }
  const double r = result.referenceLength;

  for (const ComputedLength& computed : lengths) {
    if (!std::isfinite(computed.length) || !(computed.divisions <= kMaxCountedDivisions)) continue;
    std::int64_t samples = 0;
    try {
      samples = Vendrel::CurveLengthSamples(computed.divisions);
    } catch (const Error&) {
      continue;
    }
    LengthSum sum{computed.divisions, samples, computed.length, computed.length - r, std::nullopt};
    if (r != 0 && std::isfinite(r)) sum.relativeError = (computed.length - r) / r;
    result.sums.push_back(sum);
  }
}

}  // namespace

Analysis Analyse(std::span<const IntPoint> P, std::span<const ComputedLength> lengths,
                 const std::optional<std::array<IntPoint, 4>>& Q, float dist, Figures figures) {
  CheckSubscript(P.size(), 4);
  Analysis result;
  const detail::TangentField f = detail::TangentFieldOf(P);
  result.degenerate = f.degenerate;
  if (figures != Figures::kDeviation) AnalyseLengths(f, P, lengths, result);
  if (Q && figures != Figures::kLengths && std::isfinite(dist) && !f.degenerate) {
    try {
      result.approximateDeviation = detail::DeviationOf(f, P, *Q, dist);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception&) {
      result.approximateDeviation = std::nullopt;
    }
    result.converged.approximateDeviation =
        result.approximateDeviation && result.approximateDeviation->converged;
  }
  return result;
}

}  // namespace geometry
