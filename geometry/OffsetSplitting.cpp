// How splitting mends the yellow curve: the curve is cut into k equal pieces
// in t by de Casteljau's construction (double precision), each piece is
// offset by the yellow curve's own construction without rounding (the ends
// moved by d along their normals, the handles laid off along the end legs and
// scaled by 1 + κ·d, κ the piece's end curvature 2 X / (3 |leg|³)), and the
// largest distance of the pieces together from the true offset curve of the
// whole curve is measured by the tip's measure (Deviation.cpp, to 0.01 px, or
// marked where it cannot vouch for that), against the one sampling of the
// true offset curve that the whole study shares.
//
// The ratio of a row to the one before, and the observed order log2 of it,
// are given only where both rows are at least kStudyRatioFloor: a construction
// that matches the offset curve to third order in the piece's length shrinks
// the deviation some 16 to 64 times per halving of smooth pieces, and below
// the floor the measure's 0.01 px would make the ratio noise.
//
// PieceDistances gives h(u) along the pieces together, each piece's own
// distances at its own parameter, for the plot of the study.

#include <cmath>
#include <optional>

#include "OffsetStudyDetail.h"

namespace geometry::detail {

namespace {

Vec2 Lerp(Vec2 a, Vec2 b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

using Points = std::array<Vec2, 4>;

// The part of P over [t, 1] when `right`, else over [0, t].
Points Split(const Points& P, double t, bool right) {
  const Vec2 a = Lerp(P[0], P[1], t), b = Lerp(P[1], P[2], t), c = Lerp(P[2], P[3], t);
  const Vec2 ab = Lerp(a, b, t), bc = Lerp(b, c, t);
  const Vec2 m = Lerp(ab, bc, t);
  return right ? Points{m, bc, c, P[3]} : Points{P[0], a, ab, m};
}

// The piece of P over [a, b].
Points Piece(const Points& P, double a, double b) {
  const Points tail = a > 0 ? Split(P, a, true) : P;
  return b < 1 ? Split(tail, (b - a) / (1 - a), false) : tail;
}

// The yellow construction without rounding for the piece R; none where an end
// leg has no length (no normal, no curvature) or a point is not finite.
std::optional<Points> OffsetPiece(const Points& R, double d) {
  const auto end = [d](Vec2 anchor, Vec2 leg) {
    const double len = Norm(leg.x, leg.y);
    return Vec2{anchor.x + leg.y * d / len, anchor.y - leg.x * d / len};
  };
  const auto curvature = [](Vec2 leg, double cross) {
    const double s = leg.x * leg.x + leg.y * leg.y;
    return 2 * cross / (3 * s * std::sqrt(s));
  };
  const Vec2 leg0{R[1].x - R[0].x, R[1].y - R[0].y};
  const Vec2 leg3{R[3].x - R[2].x, R[3].y - R[2].y};
  const Vec2 inner0{R[2].x - R[1].x, R[2].y - R[1].y};
  const Vec2 inner3{R[1].x - R[2].x, R[1].y - R[2].y};
  const double k0 = curvature(leg0, leg0.x * inner0.y - leg0.y * inner0.x);
  const double k3 = curvature(leg3, inner3.y * leg3.x - inner3.x * leg3.y);
  Points Q;
  Q[0] = end(R[0], leg0);
  Q[3] = end(R[3], leg3);
  const double f0 = k0 * d + 1, f3 = k3 * d + 1;
  Q[1] = {Q[0].x + f0 * leg0.x, Q[0].y + f0 * leg0.y};
  Q[2] = {Q[3].x - f3 * leg3.x, Q[3].y - f3 * leg3.y};
  for (const Vec2& q : Q) {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return std::nullopt;
  }
  return Q;
}

// The largest deviation of the k pieces together; none where a piece fails.
SplitRow RowOf(const SampledOffset& O, const Points& P, double d, int k) {
  SplitRow row{k, 0.0, true, std::nullopt, std::nullopt};
  for (int j = 0; j < k; ++j) {
    const double a = static_cast<double>(j) / k;
    const double b = j + 1 == k ? 1.0 : static_cast<double>(j + 1) / k;
    const std::optional<Points> Q = OffsetPiece(Piece(P, a, b), d);
    std::optional<Deviation> piece;
    if (Q) piece = DeviationOf(O, Cubic::OfPoints(*Q), LongestLeg(*Q));
    if (!piece) return {k, std::nullopt, false, std::nullopt, std::nullopt};
    row.deviation = std::max(*row.deviation, piece->max);
    row.converged = row.converged && piece->converged;
  }
  return row;
}

Points PointsOf(std::span<const IntPoint> P) {
  Points B;
  for (std::size_t i = 0; i < 4; ++i) {
    B[i] = {static_cast<double>(P[i].x), static_cast<double>(P[i].y)};
  }
  return B;
}

}  // namespace

std::vector<double> PieceDistances(const SampledOffset& O, std::span<const IntPoint> P, double d,
                                   int k, std::span<const double> u) {
  const Points B = PointsOf(P);
  std::vector<double> h;
  h.reserve(u.size());
  std::size_t i = 0;
  for (int j = 0; j < k && i < u.size(); ++j) {
    const double a = static_cast<double>(j) / k;
    const double b = j + 1 == k ? 1.0 : static_cast<double>(j + 1) / k;
    const std::optional<Points> Q = OffsetPiece(Piece(B, a, b), d);
    if (!Q) return {};
    std::vector<double> local;
    for (; i < u.size() && (u[i] < b || j + 1 == k); ++i) local.push_back(u[i] * k - j);
    for (double v : DistancesOf(O, Cubic::OfPoints(*Q), LongestLeg(*Q), local)) h.push_back(v);
  }
  return h;
}

std::vector<SplitRow> SplittingTable(const SampledOffset& O, std::span<const IntPoint> P,
                                     double d) {
  const Points B = PointsOf(P);
  std::vector<SplitRow> rows;
  for (int k : kStudyPieces) {
    SplitRow row = RowOf(O, B, d, k);
    if (!rows.empty() && rows.back().deviation && row.deviation &&
        *rows.back().deviation >= kStudyRatioFloor && *row.deviation >= kStudyRatioFloor) {
      row.ratio = *rows.back().deviation / *row.deviation;
      row.order = std::log2(*row.ratio);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace geometry::detail
