// The deviation of the yellow curve: the largest distance from the
// approximate offset curve A(u) to the closure of the true offset curve O, and
// its u, to 0.01 px; by Brent's method over the samples of OffsetSamples.cpp.
//
// - Nearest point. Over so short an arc the squared distance has a single
//   minimum, except for points near a centre of curvature of the arc, where it is nearly
//   constant across the interval. Brent's final bracket in t is at most
//   2^-22 (t + 1/4) wide, which in a quadratic minimum leaves an error far
//   below 0.01 px; minima at the ends of a piece are samples themselves.
// - Largest distance. h is 1-Lipschitz in the point A(u), so it changes by at
//   most L = max |A'| <= 3 max |Q(i+1) - Q(i)| per unit of u, and between two
//   scan points h exceeds the larger of their values by at most L du / 2. h is
//   scanned at kScanSteps + 1 values of u (du = 1/kScanSteps); every basin of
//   -h within L du / 2 of the largest is searched by Brent's method over its extent
//   widened by one step. Brent's final bracket is at most 2^-21 (u + 1/4) wide:
//   at a smooth peak the error is quadratic in that, and at a kink, where the
//   nearest point jumps from one part of O to another, it is at most L times
//   half the bracket, under 0.01 px while the legs of the yellow control polygon
//   stay under 10^4 px. Every u within the margin lies in a searched basin, so a
//   peak is missed only if two peaks share one basin of the scan.
//   Each h(u) is the distance to a point of O, never below the true distance.
// - Limit: where |B'| dips, without vanishing, below about 2^-22 of its size
//   (a near-cusp), O sweeps a half circle within less than Brent's resolution
//   in t, and a point nearest to that half circle is located only to the gap.
// The result is marked as short of 0.01 px (Deviation::converged false) when
// any of this cannot be vouched for: the sampling was left incomplete, a
// nearest-point search met more than kMaxBasins basins that could hold the
// nearest point, Brent's method used all its iterations, a searched gap
// narrower than Brent's resolution is longer than 0.01 px (the near-cusp
// limit), or the legs of the yellow control polygon are too long for the kink
// bound.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <boost/math/tools/minima.hpp>

#include "AnalysisDetail.h"
#include "Arithmetic.h"

namespace geometry {

namespace detail {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Brent's method: bits of the parameter (Boost allows at most half the 53 of a
// double) and iterations; it converges in about 20 to 40.
constexpr int kNearestBits = 25;
constexpr int kPeakBits = 24;
constexpr std::uintmax_t kBrentIterations = 64;
// Basins searched per nearest point: the margin rarely admits more than two;
// this bounds the cost where the offset curve runs at a nearly constant
// distance from the point (a point near a centre of curvature of O). The peaks
// need no such bound: the scan has at most kScanSteps / 2 + 1 of them.
constexpr std::size_t kMaxBasins = 8;
// Scan of u for the largest distance.
constexpr int kScanSteps = 64;
// The accuracy the result claims, in pixels.
constexpr double kTolerance = 0.01;
// Brent's final bracket around x is at most k (x + 1/4) wide, k = 2^(3 - bits).
constexpr double kNearestBracket = 0x1p-22;
constexpr double kPeakBracket = 0x1p-21;

// Basins of a sampled sequence: each local minimum no greater than `limit`,
// with the stretch [first, last] over which the values rise monotonically
// away from it while staying within the limit.
struct Basin {
  std::size_t first;
  std::size_t last;
  double value;
};

void AddBasins(const std::vector<double>& v, std::size_t begin, std::size_t end, double limit,
               std::size_t offset, std::vector<Basin>& out) {
  std::size_t i = begin;
  while (i < end) {
    const bool minimum =
        v[i] <= limit && (i == begin || v[i] <= v[i - 1]) && (i + 1 == end || v[i] <= v[i + 1]);
    if (!minimum) {
      ++i;
      continue;
    }
    std::size_t first = i, last = i;
    while (first > begin && v[first - 1] >= v[first] && v[first - 1] <= limit) --first;
    while (last + 1 < end && v[last + 1] >= v[last] && v[last + 1] <= limit) ++last;
    out.push_back({first + offset, last + offset, v[i]});
    i = last + 1;
  }
}

// Smallest value first.
void SortByValue(std::vector<Basin>& basins) {
  std::sort(basins.begin(), basins.end(),
            [](const Basin& l, const Basin& r) { return l.value < r.value; });
}

class DeviationSearch {
 public:
  DeviationSearch(const SampledOffset& O, const Cubic& A, double leg)
      : O_(O), A_(A), lipschitz_(3 * leg) {}

  // h(u) alone, NaN where no point of O is defined.
  double At(double u) const { return Nearest(u); }

  std::optional<Deviation> Run() const {
    // At a kink h is off by up to L times half the bracket, widest at u = 1.
    converged_ = O_.complete() && lipschitz_ * kPeakBracket * 1.25 / 2 <= kTolerance;
    std::vector<double> h(kScanSteps + 1);
    double best = -kInfinity, bestU = 0;
    for (int i = 0; i <= kScanSteps; ++i) {
      const double u = static_cast<double>(i) / kScanSteps;
      h[i] = Nearest(u);
      if (h[i] > best) {
        best = h[i];
        bestU = u;
      }
    }
    if (!std::isfinite(best)) return std::nullopt;

    // Basins of -h within the Lipschitz margin of the largest value.
    std::vector<double> negated(h.size());
    std::transform(h.begin(), h.end(), negated.begin(),
                   [](double v) { return std::isnan(v) ? kInfinity : -v; });
    const double margin = lipschitz_ / (2 * kScanSteps);
    std::vector<Basin> peaks;
    AddBasins(negated, 0, negated.size(), -best + margin, 0, peaks);
    SortByValue(peaks);
    for (const Basin& peak : peaks) {
      if (-peak.value + margin <= best) continue;  // nothing in it can exceed best
      const double lo = static_cast<double>(peak.first == 0 ? 0 : peak.first - 1) / kScanSteps;
      const double hi =
          static_cast<double>(std::min<std::size_t>(peak.last + 1, kScanSteps)) / kScanSteps;
      std::uintmax_t iterations = kBrentIterations;
      const auto [u, v] = boost::math::tools::brent_find_minima(
          [this](double uu) {
            const double n = Nearest(uu);
            return std::isnan(n) ? kInfinity : -n;
          },
          lo, hi, kPeakBits, iterations);
      if (iterations >= kBrentIterations) converged_ = false;
      if (-v > best) {
        best = -v;
        bestU = u;
      }
    }
    return Deviation{best, bestU, converged_};
  }

 private:
  // h(u): the distance from A(u) to the offset curve.
  double Nearest(double u) const {
    const std::vector<Sample>& samples = O_.samples();
    const Vec2 p = A_.At(u);
    chord2_.assign(samples.size(), kInfinity);
    double best2 = kInfinity;
    for (const SampledOffset::Piece& piece : O_.pieces()) {
      for (std::size_t i = piece.begin; i + 1 < piece.end; ++i) {
        chord2_[i] = O_.ChordDistance2(p, i);
        best2 = std::min(best2, chord2_[i]);
      }
    }
    if (!std::isfinite(best2)) return kNaN;
    const double limit = std::sqrt(best2) + O_.gap();
    basins_.clear();
    for (const SampledOffset::Piece& piece : O_.pieces()) {
      if (piece.end - piece.begin < 2) continue;
      AddBasins(chord2_, piece.begin, piece.end - 1, limit * limit, 0, basins_);
    }
    SortByValue(basins_);

    // Nearest first; a basin whose chords lie gap/2 or more beyond the nearest
    // point found cannot hold a nearer one.
    double nearest2 = kInfinity;
    std::size_t searched = 0;
    for (const Basin& basin : basins_) {
      if (std::sqrt(basin.value) - O_.gap() / 2 >= std::sqrt(nearest2)) continue;
      if (searched++ == kMaxBasins) {
        converged_ = false;
        break;
      }
      const SampledOffset::Piece& piece = O_.PieceOf(basin.first);
      const std::size_t lo = basin.first > piece.begin ? basin.first - 1 : basin.first;
      const std::size_t hi = std::min(basin.last + 2, piece.end - 1);
      for (std::size_t i = lo; i <= hi; ++i) {
        if (samples[i].valid) nearest2 = std::min(nearest2, Distance2(p, samples[i].o));
        if (i < hi && Unresolved(samples[i], samples[i + 1])) converged_ = false;
      }
      std::uintmax_t iterations = kBrentIterations;
      const double s = piece.sign;
      const auto found = boost::math::tools::brent_find_minima(
          [this, p, s](double t) {
            const double v = Distance2(p, O_.Point(t, s));
            return std::isnan(v) ? kInfinity : v;
          },
          samples[lo].t, samples[hi].t, kNearestBits, iterations);
      if (iterations >= kBrentIterations) converged_ = false;
      nearest2 = std::min(nearest2, found.second);
    }
    return std::sqrt(nearest2);
  }

  // A gap Brent's method cannot resolve (the near-cusp limit).
  static bool Unresolved(const Sample& a, const Sample& b) {
    return b.t - a.t < kNearestBracket * (a.t + 0.25) &&
           Distance2(a.o, b.o) > kTolerance * kTolerance;
  }

  const SampledOffset& O_;
  Cubic A_;
  double lipschitz_ = 0;
  // Whether the result so far meets kTolerance.
  mutable bool converged_ = true;
  // Scratch space of Nearest, kept to save allocations.
  mutable std::vector<double> chord2_;
  mutable std::vector<Basin> basins_;
};

}  // namespace

double LongestLeg(const std::array<IntPoint, 4>& Q) {
  double leg = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    leg = std::max(leg, Norm(static_cast<double>(std::int64_t{Q[i + 1].x} - Q[i].x),
                             static_cast<double>(std::int64_t{Q[i + 1].y} - Q[i].y)));
  }
  return leg;
}

double LongestLeg(const std::array<Vec2, 4>& Q) {
  double leg = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    leg = std::max(leg, Norm(Q[i + 1].x - Q[i].x, Q[i + 1].y - Q[i].y));
  }
  return leg;
}

std::optional<Deviation> DeviationOf(const SampledOffset& O, const Cubic& A, double leg) {
  return DeviationSearch(O, A, leg).Run();
}

std::vector<double> DistancesOf(const SampledOffset& O, const Cubic& A, double leg,
                                std::span<const double> u) {
  const DeviationSearch search(O, A, leg);
  std::vector<double> h;
  h.reserve(u.size());
  for (double v : u) h.push_back(search.At(v));
  return h;
}

std::optional<Deviation> DeviationOf(const TangentField& f, std::span<const IntPoint> P,
                                     const std::array<IntPoint, 4>& Q, double d) {
  const SampledOffset O(f, P, d);
  return DeviationOf(O, Cubic::Of(Q), LongestLeg(Q));
}

}  // namespace detail

std::optional<Deviation> ApproximateDeviation(std::span<const IntPoint> P,
                                              const std::array<IntPoint, 4>& Q, float dist) {
  CheckSubscript(P.size(), 4);
  const detail::TangentField f = detail::TangentFieldOf(P);
  if (f.degenerate || !std::isfinite(dist)) return std::nullopt;
  return detail::WithOwnErrors([&] { return detail::DeviationOf(f, P, Q, dist); });
}

}  // namespace geometry
