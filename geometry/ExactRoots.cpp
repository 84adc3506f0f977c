// The exact side of the error analysis: the parameters where the tangent of
// the curve vanishes, and the factorisation of its derivative on which the
// reference length and the deviation search rely. Integer arithmetic
// throughout (64 and 128 bits); the only roundings are of the final roots to
// double, so a zero tangent is found when, and only when, there is one.
//
// Notation. B(t), 0 <= t <= 1, is the cubic Bezier with integer control points
// P0..P3. Its derivative divided by three is B'(t)/3 = (X(t), Y(t)) with integer
// quadratics
//   X(t) = a t^2 + b t + c,  a = -P0 + 3 P1 - 3 P2 + P3,  b = 2 (P0 - 2 P1 + P2),
//   c = P1 - P0   (x coordinates; Y likewise).
// For 32-bit points |a|, |b| <= 2^34 and |c| <= 2^32: exact in 64-bit integers and
// in doubles, and any product of two coefficients fits in 128 bits.
//
// Zero tangents, exactly. B'(t) = 0 where X and Y have a common root. Either X
// and Y are proportional (every 2x2 minor of their coefficients is zero, which
// is the case exactly when the control points are collinear): then B'/3 = F(t) v
// with F the nonzero one of X, Y and a constant vector v, and the common roots
// are the roots of F. Or their gcd has degree at most one, and a common root is
// rational, p/q: the root of the linear one, or a root of the quadratic one with
// a perfect-square discriminant, confirmed by G(p/q) q^2 = 0 in 128-bit
// integers. Roots are placed against 0 and 1 exactly (irrational ones by
// comparing squares) and only then rounded to double.
// Either way B'/3 = g(t) w(t): g is an integer polynomial holding the common
// roots (F, or q t - p, or 1) and the vector polynomial w vanishes nowhere on the
// real line (w = (X, Y) / (q t - p) is an exact integer division by Gauss's
// lemma). The speed 3 |g| |w| and the direction sign(g) w / |w| are then
// accurate right up to a cusp.

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "AnalysisDetail.h"
#include "Arithmetic.h"

namespace geometry {

namespace detail {

namespace {

// X(t) = B'x(t) / 3 from one coordinate of the four points.
IntQuadratic DerivativeOver3(std::int64_t p0, std::int64_t p1, std::int64_t p2, std::int64_t p3) {
  return {-p0 + 3 * p1 - 3 * p2 + p3, 2 * (p0 - 2 * p1 + p2), p1 - p0};
}

bool Proportional(const IntQuadratic& x, const IntQuadratic& y) {
  return Int128{x.a} * y.b == Int128{y.a} * x.b && Int128{x.a} * y.c == Int128{y.a} * x.c &&
         Int128{x.b} * y.c == Int128{y.b} * x.c;
}

Rational Reduced(std::int64_t p, std::int64_t q) {
  if (q < 0) {
    p = -p;
    q = -q;
  }
  const std::int64_t d = std::gcd(p, q);
  return {p / d, q / d};
}

// G(p/q) = 0, tested as G(p/q) q^2 = 0. With |p|, |q| < 2^36 and coefficients
// below 2^35 every term stays below 2^107.
bool IsRootOf(const IntQuadratic& G, Rational r) {
  const Int128 p = r.p;
  const Int128 q = r.q;
  return G.a * p * p + G.b * p * q + G.c * q * q == 0;
}

// floor(sqrt(v)) for 0 <= v < 2^72.
std::int64_t IntegerSqrt(Int128 v) {
  auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
  while (Int128{s} * s > v) --s;
  while (Int128{s + 1} * (s + 1) <= v) ++s;
  return s;
}

Root RationalRoot(Rational r, int multiplicity) {
  return {static_cast<double>(r.p) / static_cast<double>(r.q), 0 <= r.p && r.p <= r.q,
          0 < r.p && r.p < r.q, multiplicity, r};
}

// sigma sqrt(delta) >= k, for delta > 0 not a perfect square (so never equal).
bool SignedSqrtAtLeast(int sigma, Int128 delta, Int128 k) {
  if (sigma > 0) return k <= 0 || delta > k * k;
  return k <= 0 && delta < k * k;
}

// All real roots, ascending; a double root once, with multiplicity 2.
std::vector<Root> RealRoots(IntQuadratic F) {
  switch (F.Degree()) {
    case 1:
      return {RationalRoot(Reduced(-F.c, F.b), 1)};
    case 2:
      break;
    default:
      return {};
  }
  if (F.a < 0) F = {-F.a, -F.b, -F.c};
  const Int128 delta = Int128{F.b} * F.b - Int128{4} * F.a * F.c;
  if (delta < 0) return {};
  if (delta == 0) return {RationalRoot(Reduced(-F.b, 2 * F.a), 2)};
  const std::int64_t s = IntegerSqrt(delta);
  if (Int128{s} * s == delta) {
    return {RationalRoot(Reduced(-F.b - s, 2 * F.a), 1),
            RationalRoot(Reduced(-F.b + s, 2 * F.a), 1)};
  }
  // Irrational pair (-b -+ sqrt(delta)) / 2a. The root is >= 0 when
  // +-sqrt(delta) >= b and <= 1 when +-sqrt(delta) <= 2a + b.
  const double sq = std::sqrt(static_cast<double>(delta));
  const double b = static_cast<double>(F.b);
  const double q = -0.5 * (b + std::copysign(sq, b));
  double lower = q / static_cast<double>(F.a);
  double upper = static_cast<double>(F.c) / q;
  if (upper < lower) std::swap(lower, upper);
  std::vector<Root> roots;
  for (int sigma : {-1, 1}) {
    const bool in = SignedSqrtAtLeast(sigma, delta, F.b) &&
                    !SignedSqrtAtLeast(sigma, delta, Int128{2} * F.a + F.b);
    roots.push_back({sigma < 0 ? lower : upper, in, in, 1, std::nullopt});
  }
  return roots;
}

// The common root of two nonzero, non-proportional integer quadratics: at
// most one, and rational.
std::optional<Rational> CommonRoot(const IntQuadratic& x, const IntQuadratic& y) {
  const bool xFirst = x.Degree() <= y.Degree();
  const IntQuadratic& F = xFirst ? x : y;
  const IntQuadratic& G = xFirst ? y : x;
  for (const Root& r : RealRoots(F)) {
    if (r.exact && IsRootOf(G, *r.exact)) return r.exact;
  }
  return std::nullopt;
}

// alpha t + beta with X = (q t - p)(alpha t + beta), when that is exact.
std::optional<std::pair<Int128, Int128>> DivideByLinear(const IntQuadratic& X, Rational r) {
  if (X.a % r.q != 0) return std::nullopt;
  const Int128 alpha = X.a / r.q;
  const Int128 numerator = X.b + r.p * alpha;
  if (numerator % r.q != 0) return std::nullopt;
  const Int128 beta = numerator / r.q;
  if (-r.p * beta != X.c) return std::nullopt;
  return std::make_pair(alpha, beta);
}

Poly2 ToPoly(const IntQuadratic& q) {
  return {static_cast<double>(q.a), static_cast<double>(q.b), static_cast<double>(q.c)};
}

}  // namespace

double TangentField::SignOfG(double t) const {
  double s = gLeadingSign;
  for (const Root& r : gRoots) {
    if (r.multiplicity % 2 == 1 && t < r.value) s = -s;
  }
  return s;
}

std::vector<double> TangentField::Roots(bool inside) const {
  std::vector<double> v;
  for (const Root& r : gRoots) {
    if (inside ? r.inside : r.inUnit) v.push_back(r.value);
  }
  return v;
}

double TangentField::Speed(double t) const {
  return 3 * std::abs(g.At(t)) * Norm(wx.At(t), wy.At(t));
}

TangentField TangentFieldOf(std::span<const IntPoint> P) {
  TangentField f;
  f.x = DerivativeOver3(P[0].x, P[1].x, P[2].x, P[3].x);
  f.y = DerivativeOver3(P[0].y, P[1].y, P[2].y, P[3].y);
  if (f.x.Degree() < 0 && f.y.Degree() < 0) {
    f.degenerate = true;
    f.collinear = true;
    return f;
  }
  if (Proportional(f.x, f.y)) {
    // (X, Y) = F (X_k, Y_k) / F_k at the leading position k of F.
    f.collinear = true;
    const IntQuadratic& F = f.x.Degree() >= 0 ? f.x : f.y;
    const int k = F.Degree();
    const auto at = [k](const IntQuadratic& q) { return k == 2 ? q.a : k == 1 ? q.b : q.c; };
    const double lead = static_cast<double>(F.Leading());
    f.g = ToPoly(F);
    f.gRoots = RealRoots(F);
    f.gLeadingSign = lead > 0 ? 1 : -1;
    f.wx = {0, 0, static_cast<double>(at(f.x)) / lead};
    f.wy = {0, 0, static_cast<double>(at(f.y)) / lead};
    return f;
  }
  f.wx = ToPoly(f.x);
  f.wy = ToPoly(f.y);
  if (const std::optional<Rational> r = CommonRoot(f.x, f.y)) {
    const auto qx = DivideByLinear(f.x, *r);
    const auto qy = DivideByLinear(f.y, *r);
    if (qx && qy) {
      f.g = {0, static_cast<double>(r->q), static_cast<double>(-r->p)};
      f.gRoots = {RationalRoot(*r, 1)};
      f.wx = {0, static_cast<double>(qx->first), static_cast<double>(qx->second)};
      f.wy = {0, static_cast<double>(qy->first), static_cast<double>(qy->second)};
    }
  }
  return f;
}

}  // namespace detail

std::vector<double> ZeroTangents(std::span<const IntPoint> P) {
  CheckSubscript(P.size(), 4);
  return detail::TangentFieldOf(P).Roots(false);
}

}  // namespace geometry
