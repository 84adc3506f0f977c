#pragma once

// How far off the figures of the window are: the true length of the drawn
// curve against the Riemann sums, the distance of the yellow approximate offset
// curve from the true offset curve, and the parameters where the tangent
// vanishes. Methods and accuracy are described in ExactRoots.cpp,
// ReferenceLength.cpp, OffsetSamples.cpp and Deviation.cpp.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "IntPoint.h"

namespace geometry {

// A curve-length sum the caller has already computed (one that succeeded).
struct ComputedLength {
  double divisions;
  double length;
};

// One sum against the reference length r.
struct LengthSum {
  double divisions;
  std::int64_t samples;                 // samples the sum took: 10, 99, 999, 10000
  double length;                        // the sum L as computed
  double absoluteError;                 // L - r
  std::optional<double> relativeError;  // (L - r) / r; none when r = 0
};

// The largest distance from the yellow curve A(u) to the true offset curve,
// and the parameter u of A where it occurs.
struct Deviation {
  double max;
  double u;
  bool converged = true;  // false: the search reached one of its bounds (see Deviation.cpp)
};

// Whether each figure of an Analysis meets its stated accuracy. A figure that
// falls short (its computation reached one of its bounds, or failed and left
// the figure NaN or missing) is false; one that is not asked for is true. The
// zero tangents are exact, so theirs is always true.
struct Converged {
  bool referenceLength = true;
  bool approximateDeviation = true;
  bool zeroTangent = true;
};

struct Analysis {
  double referenceLength = 0;  // NaN only if the integration failed (see Analyse)
  bool degenerate = false;     // all four points coincide: the tangent vanishes everywhere
  std::vector<LengthSum> sums;
  std::optional<Deviation> approximateDeviation;
  std::vector<double> zeroTangent;  // ascending; empty when degenerate
  Converged converged;
};

// The arc length of the cubic Bezier with control points P(0)..P(3), taken in
// real arithmetic, to a relative accuracy of about 1e-12. 0 for four equal points.
// `converged`, when given, is set to whether the error estimate met that accuracy.
// Raises geometry::Error (subscript out of range) when P has fewer than four
// points; no other exception than geometry::Error and std::bad_alloc passes out.
double ReferenceLength(std::span<const IntPoint> P, bool* converged = nullptr);

// The reference length with what it cost: the evaluations of the speed its
// rules took (none for collinear or coincident points, whose length has a
// closed form) and the sum of their error estimates |K - G|, an absolute
// bound below which a difference from it says nothing. Raises as ReferenceLength.
struct MeasuredLength {
  double value;
  bool converged;
  std::int64_t evaluations;
  double estimate;
};
MeasuredLength MeasureReferenceLength(std::span<const IntPoint> P);

// The parameters t in [0, 1] where B'(t) = 0, found exactly, ascending; empty
// when all four points coincide. Raises as ReferenceLength.
std::vector<double> ZeroTangents(std::span<const IntPoint> P);

// How far the cubic Bezier with control points Q lies from the true offset
// curve of P at distance `dist` (the offset side of the accurate offset curve),
// to 0.01 px, or with `converged` false where the search could not vouch for
// that. Nothing when the true offset curve does not exist (four equal points)
// or `dist` is not finite. Raises as ReferenceLength.
std::optional<Deviation> ApproximateDeviation(std::span<const IntPoint> P,
                                              const std::array<IntPoint, 4>& Q, float dist);

// Which figures Analyse computes: all of them, or one of the two parts a
// window's tool tip shows on its own (the reference length with the sums and
// the zero tangents; or the yellow curve's deviation). A part not computed is
// left as a default Analysis has it, and counts as converged.
enum class Figures { kAll, kLengths, kDeviation };

// The whole analysis from what the redraw has computed: the sums that
// succeeded, and the yellow curve's control points when it was drawn. Each part
// is computed on its own, and a failure of one leaves the others in place:
// - the reference length is NaN, and the sums' errors NaN and none, if the
//   integration raised an error (it cannot for 32-bit points: its integrand is
//   finite and bounded);
// - a sum is left out when its sample count cannot be had: a division count
//   for which the sum's loop raises, one above 1e7 (too long to count), or a
//   length that is not finite;
// - the deviation is none when Q is not given, the distance is not finite, the
//   points coincide, or the search raised an error;
// - `converged` says which figures fell short of their accuracy.
// Only std::bad_alloc, and the subscript error for fewer than four points, pass out.
Analysis Analyse(std::span<const IntPoint> P, std::span<const ComputedLength> lengths,
                 const std::optional<std::array<IntPoint, 4>>& Q, float dist,
                 Figures figures = Figures::kAll);

}  // namespace geometry
