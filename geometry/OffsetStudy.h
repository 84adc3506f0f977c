#pragma once

// Why the yellow curve leaves the true offset curve, where, and how splitting
// the curve mends it: the error along the yellow curve, the signed curvature
// and the factor 1 + dist·κ(t) that scales the yellow handles, taken along the
// whole curve, the cusps of the true offset curve and the ranges where it runs
// backwards, and the deviation of k offset pieces. Methods and accuracy are
// described in OffsetStudy.cpp, OffsetCusps.cpp and OffsetSplitting.cpp.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Analysis.h"
#include "Arithmetic.h"
#include "IntPoint.h"

namespace geometry {

// Evenly spaced parameters at which h(u), κ(t) and the factor are listed:
// 0, 1/200, ..., 1.
inline constexpr int kStudySamples = 201;
// The numbers of equal pieces the splitting table tries.
inline constexpr std::array<int, 7> kStudyPieces{1, 2, 4, 8, 16, 32, 64};
// The numbers of pieces whose h(u) the study lists besides the drawn curve's
// (the plot's curves).
inline constexpr std::array<int, 3> kStudyPlotPieces{2, 4, 8};
// The deviations the table looks for the fewest pieces to get under, in pixels.
inline constexpr std::array<double, 2> kStudyTargets{0.5, 0.1};
// A ratio of two rows is shown only where both deviations are at least this:
// below it the measure's 0.01 px makes the ratio noise.
inline constexpr double kStudyRatioFloor = 0.05;

// A cusp of the true offset curve: its parameter on B and its point.
struct OffsetCusp {
  double t;
  double x;
  double y;
};

// A maximal range [from, to] of t on which 1 + dist·κ(t) < 0.
struct ParameterRange {
  double from;
  double to;
};

// One row of the splitting table: the curve split into `pieces` equal pieces
// in t, each offset by the yellow construction without rounding.
struct SplitRow {
  int pieces;
  std::optional<double> deviation;  // none where a piece could not be built
  bool converged = true;            // false: not vouched for to 0.01 px
  std::optional<double> ratio;      // the row before over this one
  std::optional<double> order;      // log2 of the ratio
};

struct OffsetStudy {
  bool degenerate = false;  // all four points coincide: there is no offset curve
  float distance = 0;
  // The window's yellow curve (rounded control points), or why it is not built.
  std::optional<std::array<IntPoint, 4>> drawn;
  std::optional<ErrorKind> drawnError;
  // h(u) of the drawn yellow curve at u = i/200 (NaN where undefined), and
  // its largest value: the tip's deviation, bit for bit ("as drawn").
  std::vector<double> h;
  std::optional<Deviation> asDrawn;
  // h(u) of the curve split into kStudyPlotPieces[i] equal pieces, each
  // offset as in the splitting table, at the same u (piece j covers u in
  // [j/k, (j+1)/k]); empty where a piece could not be built.
  std::array<std::vector<double>, kStudyPlotPieces.size()> pieceH;
  // κ(t) = (B' × B'')/|B'|^3 (positive where the curve turns clockwise on the
  // screen) and 1 + dist·κ(t) at t = i/200; not finite at a zero tangent.
  std::vector<double> curvature;
  std::vector<double> factor;
  std::vector<OffsetCusp> cusps;         // ascending in t
  std::vector<ParameterRange> negative;  // ascending
  std::vector<double> zeroTangents;      // ascending
  std::vector<SplitRow> splitting;       // one row per kStudyPieces entry
  // Per kStudyTargets entry: the fewest pieces of the table under it, or none.
  std::array<std::optional<int>, 2> fewest;
};

// The study of the offset curves of P at distance `dist`. Raises
// geometry::Error (subscript out of range) for fewer than four points; every
// other failure leaves its part empty (see OffsetStudy.cpp).
OffsetStudy StudyOffset(std::span<const IntPoint> P, float dist);

}  // namespace geometry
