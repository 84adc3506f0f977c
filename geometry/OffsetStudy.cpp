// The offset study as a whole (OffsetStudy.h). The true offset curve is
// sampled once (OffsetSamples.cpp) and every distance to it is the tip's own
// measure (Deviation.cpp, to 0.01 px): h(u) at the kStudySamples parameters
// and its largest value for the drawn yellow curve, which is therefore the
// tip's figure bit for bit, and the rows of the splitting table
// (OffsetSplitting.cpp). κ(t) and the factor are evaluated from the exact
// factorisation of B' (OffsetStudyDetail.h), the cusps found from their
// polynomial (OffsetCusps.cpp), the zero tangents exactly (ExactRoots.cpp).
// The ranges where the factor is negative lie between consecutive cusps (and
// the ends of [0, 1]): the factor keeps its sign across a zero tangent, so it
// can change sign only at a cusp, and its sign on each stretch is read at the
// stretch's middle.
//
// Each part is computed on its own: an error of the program's own type, or
// one a library raises, leaves that part empty and the others in place.

#include "OffsetStudy.h"

#include <cmath>
#include <exception>
#include <new>

#include "OffsetCurves.h"
#include "OffsetStudyDetail.h"

namespace geometry {

namespace {

// Runs f; on an error other than running out of memory, leaves its part as it was.
template <class F>
void Part(const F& f) {
  try {
    detail::WithOwnErrors([&] {
      f();
      return 0;
    });
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
  }
}

std::vector<double> Parameters() {
  std::vector<double> u;
  u.reserve(kStudySamples);
  for (int i = 0; i < kStudySamples; ++i) u.push_back(static_cast<double>(i) / (kStudySamples - 1));
  return u;
}

std::vector<ParameterRange> NegativeRanges(const detail::FactorField& field,
                                           const std::vector<OffsetCusp>& cusps) {
  std::vector<double> ends{0};
  for (const OffsetCusp& c : cusps) {
    if (c.t > ends.back()) ends.push_back(c.t);
  }
  if (ends.back() < 1) ends.push_back(1);
  std::vector<ParameterRange> ranges;
  for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
    if (!(field.Numerator(0.5 * (ends[i] + ends[i + 1])) < 0)) continue;
    if (!ranges.empty() && ranges.back().to == ends[i]) {
      ranges.back().to = ends[i + 1];
    } else {
      ranges.push_back({ends[i], ends[i + 1]});
    }
  }
  return ranges;
}

}  // namespace

OffsetStudy StudyOffset(std::span<const IntPoint> P, float dist) {
  CheckSubscript(P.size(), 4);
  OffsetStudy study;
  study.distance = dist;
  const detail::TangentField f = detail::TangentFieldOf(P);
  study.degenerate = f.degenerate;
  study.zeroTangents = f.Roots(false);
  try {
    study.drawn = ApproximateOffsetPoints(P, dist);
  } catch (const Error& e) {
    study.drawnError = e.kind();
  }
  if (f.degenerate || !std::isfinite(dist)) return study;
  const double d = dist;

  const std::vector<double> u = Parameters();
  const detail::FactorField field(f, d);
  for (double t : u) {
    study.curvature.push_back(field.Curvature(t));
    study.factor.push_back(field.Factor(t));
  }

  const detail::SampledOffset O(f, P, d);
  Part([&] {
    for (double t : detail::CuspParameters(field)) {
      const detail::Vec2 o = O.Point(t, f.SignOfG(t));
      study.cusps.push_back({t, o.x, o.y});
    }
    study.negative = NegativeRanges(field, study.cusps);
  });
  if (study.drawn) {
    Part([&] {
      const detail::Cubic A = detail::Cubic::Of(*study.drawn);
      const double leg = detail::LongestLeg(*study.drawn);
      study.asDrawn = detail::DeviationOf(O, A, leg);
      study.h = detail::DistancesOf(O, A, leg, u);
    });
  }
  Part([&] { study.splitting = detail::SplittingTable(O, P, d); });
  for (std::size_t i = 0; i < kStudyPlotPieces.size(); ++i) {
    Part([&] { study.pieceH[i] = detail::PieceDistances(O, P, d, kStudyPlotPieces[i], u); });
  }
  for (std::size_t i = 0; i < kStudyTargets.size(); ++i) {
    for (const SplitRow& row : study.splitting) {
      if (row.deviation && row.converged && *row.deviation < kStudyTargets[i]) {
        study.fewest[i] = row.pieces;
        break;
      }
    }
  }
  return study;
}

}  // namespace geometry
