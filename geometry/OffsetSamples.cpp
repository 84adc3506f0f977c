// The true offset curve, sampled for the deviation search of Deviation.cpp:
// a polyline within gap/2 (2 px for curves up to 1024 px) of the closure of
// the offset curve. Notation as in ExactRoots.cpp.
//
// The true offset curve is O(t) = B(t) + d s (wy, -wx) / |w| with
// s = sign(g(t)); it is split at the roots of g in (0, 1) into pieces on each of
// which s is constant and O is smooth up to and including the ends. The ends,
// evaluated with the piece's s, are the one-sided limits at a cusp, so the
// closure of the offset curve is what is searched. h(u) is the distance from
// A(u), the yellow curve, to O; the result is the largest h and its u.
// - Nearest point. O is sampled once, adaptively, until each gap between
//   neighbouring samples has a chord of at most `gap` (kGapPixels, more for
//   very large curves), a turn of the normal of at most kGapTurn, and no cusp of
//   O inside (the sign of O'.B' is the same at both ends). The arc of such a gap
//   is at most chord / cos(kGapTurn), about `gap`, so the polyline through the
//   samples is within gap/2 of O, and the true nearest point lies on a gap whose
//   chord is within `gap` of the nearest chord. For each basin of the chord
//   distances within that margin (a local minimum with the gaps that rise
//   monotonically away from it), Brent's method searches the parameter
//   interval of the basin widened by one gap on each side; every gap within
//   the margin lies in such an interval, the true nearest point among them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "AnalysisDetail.h"

namespace geometry::detail {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Sampling of the offset curve. A gap of 4 px turning at most 0.1 rad keeps
// the margin of the nearest-point search small while the start state needs 129
// samples (the cusp curve 222); curves larger than 1024 px get gaps of 1/256 of their
// extent so the count stays bounded. kMaxSamples and kMaxRefineDepth bound the
// work for any input; a gap left unrefined by them (a tiny loop of the curve
// offset far out, a near-cusp whose normal turns within 2^-34 of t) marks the
// sampling incomplete, and with it the deviation.
constexpr double kGapPixels = 4;
constexpr double kGapsPerExtent = 256;
// The turn's bound as its cosine, cos(kGapTurn) for kGapTurn = 0.1 rad, written
// out so that no C library's cos decides its last bit.
constexpr double kCosGapTurn = 0.99500416527802582;
constexpr int kInitialGapsPerUnit = 16;
constexpr int kMaxRefineDepth = 30;
constexpr std::size_t kMaxSamples = 4096;

}  // namespace

SampledOffset::SampledOffset(const TangentField& f, std::span<const IntPoint> P, double d)
    : f_(f), B_(Cubic::Of(P)), d_(d) {
  std::vector<double> ends{0};
  for (double t : f.Roots(true)) ends.push_back(t);
  ends.push_back(1);

  // A first, even sampling of every piece; it also gives the curve's extent.
  std::vector<std::vector<Sample>> coarse;
  double minX = kInfinity, maxX = -kInfinity, minY = kInfinity, maxY = -kInfinity;
  for (std::size_t k = 0; k + 1 < ends.size(); ++k) {
    const double a = ends[k], b = ends[k + 1];
    if (!(a < b)) continue;
    const double s = f.SignOfG(0.5 * (a + b));
    const int gaps = std::max(2, static_cast<int>(std::ceil(kInitialGapsPerUnit * (b - a))));
    std::vector<Sample> row;
    for (int i = 0; i <= gaps; ++i) {
      const double t = i == gaps ? b : a + (b - a) * i / gaps;
      row.push_back(SampleAt(t, s));
      if (row.back().valid) {
        minX = std::min(minX, row.back().o.x);
        maxX = std::max(maxX, row.back().o.x);
        minY = std::min(minY, row.back().o.y);
        maxY = std::max(maxY, row.back().o.y);
      }
    }
    pieces_.push_back({s, 0, 0});
    coarse.push_back(std::move(row));
  }
  const double extent = std::max(maxX - minX, maxY - minY);
  gap_ = std::max(kGapPixels, std::isfinite(extent) ? extent / kGapsPerExtent : 0.0);

  // Then halve every gap that is too long, turns too much or holds a cusp of O.
  for (std::size_t k = 0; k < pieces_.size(); ++k) {
    pieces_[k].begin = samples_.size();
    const std::vector<Sample>& row = coarse[k];
    samples_.push_back(row[0]);
    for (std::size_t i = 1; i < row.size(); ++i) {
      Refine(row[i - 1], row[i], pieces_[k].sign, 0);
      samples_.push_back(row[i]);
    }
    pieces_[k].end = samples_.size();
  }
}

Vec2 SampledOffset::Point(double t, double s) const {
  const Vec2 b = B_.At(t);
  const double wx = f_.wx.At(t), wy = f_.wy.At(t);
  const double len = std::sqrt(wx * wx + wy * wy);
  const double k = d_ * s / len;
  return {b.x + k * wy, b.y - k * wx};
}

Sample SampledOffset::SampleAt(double t, double s) const {
  const double wx = f_.wx.At(t), wy = f_.wy.At(t);
  const double len2 = wx * wx + wy * wy;
  const double len = std::sqrt(len2);
  Sample r{t, Point(t, s), {wx / len, wy / len}, true, false};
  // O'.B' has the sign of 3|g||w| + d (w x w')/|w|^2, whatever s is.
  const double cross = wx * f_.wy.Slope(t) - wy * f_.wx.Slope(t);
  r.forward = 3 * std::abs(f_.g.At(t)) * len + d_ * cross / len2 >= 0;
  r.valid = len > 0 && std::isfinite(r.o.x) && std::isfinite(r.o.y) && std::isfinite(r.n.x) &&
            std::isfinite(r.n.y);
  return r;
}

void SampledOffset::Refine(const Sample& a, const Sample& b, double s, int depth) {
  const bool close = a.valid && b.valid && a.n.x * b.n.x + a.n.y * b.n.y >= kCosGapTurn &&
                     Distance2(a.o, b.o) <= gap_ * gap_;
  if (close && a.forward == b.forward) return;
  const double t = 0.5 * (a.t + b.t);
  if (depth >= kMaxRefineDepth || samples_.size() >= kMaxSamples || !(a.t < t && t < b.t)) {
    // A cusp of O pinned down to the last halving is as it should be.
    if (!close) complete_ = false;
    return;
  }
  const Sample m = SampleAt(t, s);
  Refine(a, m, s, depth + 1);
  samples_.push_back(m);
  Refine(m, b, s, depth + 1);
}

double SampledOffset::ChordDistance2(Vec2 p, std::size_t i) const {
  const Sample& a = samples_[i];
  const Sample& b = samples_[i + 1];
  if (!a.valid || !b.valid) return kInfinity;
  const double ex = b.o.x - a.o.x, ey = b.o.y - a.o.y;
  const double len2 = ex * ex + ey * ey;
  double k = len2 > 0 ? ((p.x - a.o.x) * ex + (p.y - a.o.y) * ey) / len2 : 0;
  k = std::clamp(k, 0.0, 1.0);
  return Distance2(p, {a.o.x + k * ex, a.o.y + k * ey});
}

const SampledOffset::Piece& SampledOffset::PieceOf(std::size_t sample) const {
  for (const Piece& piece : pieces_) {
    if (sample < piece.end) return piece;
  }
  return pieces_.back();
}

}  // namespace geometry::detail
