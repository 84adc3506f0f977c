// How far off the window's figures are: the true length of the curve, the
// distance of the approximate offset curve from the true one, and the
// parameters where the tangent vanishes.
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
//
// Reference length. For collinear points the curve runs along one line and turns
// back only at roots of F, so its length is the sum of the distances between
// B at 0, those roots and 1, and for a line traversed in one direction the chord
// |P3 - P0| itself. Otherwise the speed 3 |g| |w| is integrated by adaptive
// Gauss-Kronrod (31 points, Boost.Math) over the pieces of [0, 1] between the
// stationary points of |B'|^2 (the roots of its derivative, a cubic with 128-bit
// integer coefficients, found by TOMS 748 on its monotone stretches) and the zero
// tangents. On each piece |B'|^2 is monotone, so the speed is smooth inside, and
// its kinks (cusps) and sharpest bends (near-cusps, at minima of |B'|) lie at
// piece ends. Each piece, mapped onto [0, 1] (see kMaxDepth), is integrated to a
// relative error estimate of 1e-12, so the sum is too; against a long-double
// tanh-sinh reference the error stayed below 2e-13 on random and near-cusp
// curves. The speed stays below 2^38 for 32-bit points: nothing overflows and
// Boost has nothing to raise.
//
// Deviation. The true offset curve is O(t) = B(t) + d s (wy, -wx) / |w| with
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
//   Over so short an arc the squared distance has a single minimum, except
//   for points near a centre of curvature of the arc, where it is nearly
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

#include "Analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <limits>
#include <new>
#include <numeric>
#include <utility>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "Arithmetic.h"
#include "Vendrel.h"

namespace geometry {

namespace {

__extension__ typedef __int128 Int128;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Relative accuracy asked of the integration of every piece. Boost's default
// (the square root of the machine epsilon) would leave the eighth digit open.
constexpr double kRelativeTolerance = 1e-12;
// Deepest halving of a piece. Boost 1.74 compares the error estimate of the
// rule on [-1, 1] with the tolerance before scaling it to the subinterval, so a
// subinterval of width h must meet a tolerance 2/h times tighter; as the
// estimate never falls below 2 eps of the rule's sum, no subinterval narrower
// than about 2^-10 can pass at 1e-12 and halving goes on to the limit. Mapping
// every piece onto [0, 1] makes that independent of the piece's width (a piece
// 1e-4 wide would otherwise halve to the limit everywhere: 2^20 subintervals at
// 20 levels). 12 levels, two beyond, resolve the near-cusps at piece ends to a
// few units in 1e15 and bound the work of one piece to 2^13 rules.
constexpr unsigned kMaxDepth = 12;
// Largest division count whose samples are counted: the count loops n times.
constexpr double kMaxCountedDivisions = 1e7;

// Sampling of the offset curve. A gap of 4 px turning at most 0.1 rad keeps
// the margin of the nearest-point search small while the start state needs 129
// samples (the cusp curve 222); curves larger than 1024 px get gaps of 1/256 of their
// extent so the count stays bounded. kMaxSamples and kMaxRefineDepth bound the
// work for any input.
constexpr double kGapPixels = 4;
constexpr double kGapsPerExtent = 256;
constexpr double kGapTurn = 0.1;
constexpr int kInitialGapsPerUnit = 16;
constexpr int kMaxRefineDepth = 30;
constexpr std::size_t kMaxSamples = 4096;
// Brent's method: bits of the parameter (Boost allows at most half the 53 of a
// double) and iterations; it converges in about 20 to 40.
constexpr int kNearestBits = 25;
constexpr int kPeakBits = 24;
constexpr std::uintmax_t kBrentIterations = 64;
// Basins searched per nearest point and peaks searched per curve: the margins
// rarely admit more than two; these only bound the cost of flat cases.
constexpr std::size_t kMaxBasins = 8;
constexpr std::size_t kMaxPeaks = 4;
// Scan of u for the largest distance.
constexpr int kScanSteps = 64;

// --- Exact integer polynomials ----------------------------------------------

// a t^2 + b t + c with integer coefficients.
struct IntQuadratic {
  std::int64_t a = 0;
  std::int64_t b = 0;
  std::int64_t c = 0;

  int Degree() const { return a != 0 ? 2 : b != 0 ? 1 : c != 0 ? 0 : -1; }
  // The leading coefficient, 0 for the zero polynomial.
  std::int64_t Leading() const { return a != 0 ? a : b != 0 ? b : c; }
};

// X(t) = B'x(t) / 3 from one coordinate of the four points.
IntQuadratic DerivativeOver3(std::int64_t p0, std::int64_t p1, std::int64_t p2, std::int64_t p3) {
  return {-p0 + 3 * p1 - 3 * p2 + p3, 2 * (p0 - 2 * p1 + p2), p1 - p0};
}

bool Proportional(const IntQuadratic& x, const IntQuadratic& y) {
  return Int128{x.a} * y.b == Int128{y.a} * x.b && Int128{x.a} * y.c == Int128{y.a} * x.c &&
         Int128{x.b} * y.c == Int128{y.b} * x.c;
}

// p/q in lowest terms, q > 0.
struct Rational {
  std::int64_t p;
  std::int64_t q;
};

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

// A real root of an integer quadratic: its double value, where it lies against
// [0, 1] (decided exactly), its multiplicity and, when rational, its exact value.
struct Root {
  double value;
  bool inUnit;  // 0 <= root <= 1
  bool inside;  // 0 < root < 1
  int multiplicity;
  std::optional<Rational> exact;
};

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

// --- Double-precision curves ------------------------------------------------

struct Vec2 {
  double x;
  double y;
};

double Distance2(Vec2 p, Vec2 q) {
  const double dx = p.x - q.x;
  const double dy = p.y - q.y;
  return dx * dx + dy * dy;
}

// a t^2 + b t + c.
struct Poly2 {
  double a = 0;
  double b = 0;
  double c = 0;

  double At(double t) const { return (a * t + b) * t + c; }
  double Slope(double t) const { return 2 * a * t + b; }
};

Poly2 ToPoly(const IntQuadratic& q) {
  return {static_cast<double>(q.a), static_cast<double>(q.b), static_cast<double>(q.c)};
}

// A cubic Bezier in power form with exact (integer) coefficients.
struct Cubic {
  double ax, bx, cx, dx, ay, by, cy, dy;

  static Cubic Of(std::span<const IntPoint> P) {
    const auto coefficients = [&P](std::int32_t IntPoint::*m) {
      const std::int64_t p0 = P[0].*m, p1 = P[1].*m, p2 = P[2].*m, p3 = P[3].*m;
      return std::array<double, 4>{static_cast<double>(-p0 + 3 * p1 - 3 * p2 + p3),
                                   static_cast<double>(3 * p0 - 6 * p1 + 3 * p2),
                                   static_cast<double>(3 * (p1 - p0)), static_cast<double>(p0)};
    };
    const auto x = coefficients(&IntPoint::x);
    const auto y = coefficients(&IntPoint::y);
    return {x[0], x[1], x[2], x[3], y[0], y[1], y[2], y[3]};
  }

  Vec2 At(double t) const {
    return {((ax * t + bx) * t + cx) * t + dx, ((ay * t + by) * t + cy) * t + dy};
  }
};

// B'(t)/3 = g(t) w(t), with w vanishing nowhere (see the file header).
struct TangentField {
  bool degenerate = false;
  bool collinear = false;
  IntQuadratic x, y;
  Poly2 g{0, 0, 1};
  std::vector<Root> gRoots;  // every real root of g
  double gLeadingSign = 1;
  Poly2 wx, wy;

  // sign(g(t)) for t that is not a root.
  double SignOfG(double t) const {
    double s = gLeadingSign;
    for (const Root& r : gRoots) {
      if (r.multiplicity % 2 == 1 && t < r.value) s = -s;
    }
    return s;
  }

  std::vector<double> Roots(bool inside) const {
    std::vector<double> v;
    for (const Root& r : gRoots) {
      if (inside ? r.inside : r.inUnit) v.push_back(r.value);
    }
    return v;
  }

  double Speed(double t) const { return 3 * std::abs(g.At(t)) * std::hypot(wx.At(t), wy.At(t)); }
};

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

// --- Reference length -------------------------------------------------------

// Roots in (0, 1) of a t^2 + b t + c.
std::vector<double> QuadraticRootsInside(double a, double b, double c) {
  std::vector<double> roots;
  if (a == 0) {
    if (b != 0) roots.push_back(-c / b);
  } else {
    const double delta = b * b - 4 * a * c;
    if (delta >= 0) {
      const double q = -0.5 * (b + std::copysign(std::sqrt(delta), b));
      roots.push_back(q / a);
      if (q != 0) roots.push_back(c / q);
    }
  }
  std::erase_if(roots, [](double r) { return !(r > 0 && r < 1); });
  std::sort(roots.begin(), roots.end());
  return roots;
}

// Roots in (0, 1) of (X X' + Y Y')(t), the derivative of |B'|^2 / 18.
std::vector<double> StationaryPoints(const IntQuadratic& x, const IntQuadratic& y) {
  const auto sum = [](Int128 u, Int128 v) { return static_cast<double>(u + v); };
  const double c3 = 2 * sum(Int128{x.a} * x.a, Int128{y.a} * y.a);
  const double c2 = 3 * sum(Int128{x.a} * x.b, Int128{y.a} * y.b);
  const double c1 =
      sum(Int128{x.b} * x.b + Int128{y.b} * y.b, 2 * (Int128{x.a} * x.c + Int128{y.a} * y.c));
  const double c0 = sum(Int128{x.b} * x.c, Int128{y.b} * y.c);
  const auto S = [=](double t) { return ((c3 * t + c2) * t + c1) * t + c0; };

  // S is monotone between the roots of S'; one root at most on each stretch.
  std::vector<double> knots{0};
  for (double r : QuadraticRootsInside(3 * c3, 2 * c2, c1)) knots.push_back(r);
  knots.push_back(1);
  std::vector<double> roots;
  for (std::size_t i = 0; i + 1 < knots.size(); ++i) {
    const double lo = knots[i], hi = knots[i + 1];
    const double flo = S(lo), fhi = S(hi);
    if (flo == 0) {
      if (lo > 0) roots.push_back(lo);
    } else if (fhi != 0 && (flo < 0) != (fhi < 0)) {
      std::uintmax_t iterations = 100;
      const auto bracket = boost::math::tools::toms748_solve(
          S, lo, hi, flo, fhi, boost::math::tools::eps_tolerance<double>(), iterations);
      roots.push_back(0.5 * (bracket.first + bracket.second));
    }
  }
  return roots;
}

double CollinearLength(const TangentField& f, std::span<const IntPoint> P) {
  const Cubic B = Cubic::Of(P);
  const auto difference = [](std::int32_t u, std::int32_t v) {
    return static_cast<double>(std::int64_t{u} - v);
  };
  const std::vector<double> turns = f.Roots(true);
  if (turns.empty()) {
    return std::hypot(difference(P[3].x, P[0].x), difference(P[3].y, P[0].y));
  }
  double total = 0;
  Vec2 from{static_cast<double>(P[0].x), static_cast<double>(P[0].y)};
  for (double t : turns) {
    const Vec2 to = B.At(t);
    total += std::hypot(to.x - from.x, to.y - from.y);
    from = to;
  }
  return total + std::hypot(P[3].x - from.x, P[3].y - from.y);
}

double LengthOf(const TangentField& f, std::span<const IntPoint> P) {
  if (f.degenerate) return 0;
  if (f.collinear) return CollinearLength(f, P);
  std::vector<double> breaks = StationaryPoints(f.x, f.y);
  for (double t : f.Roots(true)) breaks.push_back(t);
  breaks.push_back(0);
  breaks.push_back(1);
  std::sort(breaks.begin(), breaks.end());
  breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());

  // Each piece [a, b] is integrated over x in [0, 1], t = a + (b - a) x (see kMaxDepth).
  double total = 0;
  for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
    const double a = breaks[i];
    const double width = breaks[i + 1] - a;
    total += boost::math::quadrature::gauss_kronrod<double, 31>::integrate(
        [&f, a, width](double x) { return f.Speed(a + width * x) * width; }, 0.0, 1.0, kMaxDepth,
        kRelativeTolerance);
  }
  return total;
}

// --- Deviation --------------------------------------------------------------

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

// Keeps the `count` basins of smallest value.
void KeepBest(std::vector<Basin>& basins, std::size_t count) {
  std::sort(basins.begin(), basins.end(),
            [](const Basin& l, const Basin& r) { return l.value < r.value; });
  if (basins.size() > count) basins.resize(count);
}

struct Sample {
  double t;
  Vec2 o;        // the offset point
  Vec2 n;        // unit direction of w
  bool forward;  // O' runs along B' (false past a cusp of O)
  bool valid;
};

class OffsetCurve {
 public:
  OffsetCurve(const TangentField& f, std::span<const IntPoint> P, double d)
      : f_(f), B_(Cubic::Of(P)), d_(d) {}

  Vec2 Point(double t, double s) const {
    const Vec2 b = B_.At(t);
    const double wx = f_.wx.At(t), wy = f_.wy.At(t);
    const double len = std::sqrt(wx * wx + wy * wy);
    const double k = d_ * s / len;
    return {b.x + k * wy, b.y - k * wx};
  }

  Sample SampleAt(double t, double s) const {
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

 private:
  const TangentField& f_;
  Cubic B_;
  double d_;
};

class DeviationSearch {
 public:
  DeviationSearch(const TangentField& f, std::span<const IntPoint> P,
                  const std::array<IntPoint, 4>& Q, double d)
      : O_(f, P, d), A_(Cubic::Of(Q)) {
    SampleOffsetCurve(f);
    double leg = 0;
    for (std::size_t i = 0; i < 3; ++i) {
      leg = std::max(leg, std::hypot(static_cast<double>(std::int64_t{Q[i + 1].x} - Q[i].x),
                                     static_cast<double>(std::int64_t{Q[i + 1].y} - Q[i].y)));
    }
    lipschitz_ = 3 * leg;
  }

  std::optional<Deviation> Run() const {
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
    std::vector<Basin> peaks;
    AddBasins(negated, 0, negated.size(), -best + lipschitz_ / (2 * kScanSteps), 0, peaks);
    KeepBest(peaks, kMaxPeaks);
    for (const Basin& peak : peaks) {
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
      if (-v > best) {
        best = -v;
        bestU = u;
      }
    }
    return Deviation{best, bestU};
  }

 private:
  struct Piece {
    double sign;
    std::size_t begin;  // samples [begin, end)
    std::size_t end;
  };

  void SampleOffsetCurve(const TangentField& f) {
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
        row.push_back(O_.SampleAt(t, s));
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

  void Refine(const Sample& a, const Sample& b, double s, int depth) {
    if (depth >= kMaxRefineDepth || samples_.size() >= kMaxSamples) return;
    if (a.valid && b.valid && a.forward == b.forward &&
        a.n.x * b.n.x + a.n.y * b.n.y >= std::cos(kGapTurn) && Distance2(a.o, b.o) <= gap_ * gap_) {
      return;
    }
    const double t = 0.5 * (a.t + b.t);
    if (!(a.t < t && t < b.t)) return;
    const Sample m = O_.SampleAt(t, s);
    Refine(a, m, s, depth + 1);
    samples_.push_back(m);
    Refine(m, b, s, depth + 1);
  }

  // Squared distance from p to the chord of samples i and i + 1.
  double ChordDistance2(Vec2 p, std::size_t i) const {
    const Sample& a = samples_[i];
    const Sample& b = samples_[i + 1];
    if (!a.valid || !b.valid) return kInfinity;
    const double ex = b.o.x - a.o.x, ey = b.o.y - a.o.y;
    const double len2 = ex * ex + ey * ey;
    double k = len2 > 0 ? ((p.x - a.o.x) * ex + (p.y - a.o.y) * ey) / len2 : 0;
    k = std::clamp(k, 0.0, 1.0);
    return Distance2(p, {a.o.x + k * ex, a.o.y + k * ey});
  }

  // h(u): the distance from A(u) to the offset curve.
  double Nearest(double u) const {
    const Vec2 p = A_.At(u);
    chord2_.assign(samples_.size(), kInfinity);
    double best2 = kInfinity;
    for (const Piece& piece : pieces_) {
      for (std::size_t i = piece.begin; i + 1 < piece.end; ++i) {
        chord2_[i] = ChordDistance2(p, i);
        best2 = std::min(best2, chord2_[i]);
      }
    }
    if (!std::isfinite(best2)) return kNaN;
    const double limit = std::sqrt(best2) + gap_;
    basins_.clear();
    for (const Piece& piece : pieces_) {
      if (piece.end - piece.begin < 2) continue;
      AddBasins(chord2_, piece.begin, piece.end - 1, limit * limit, 0, basins_);
    }
    KeepBest(basins_, kMaxBasins);

    double nearest2 = kInfinity;
    for (const Basin& basin : basins_) {
      const Piece& piece = PieceOf(basin.first);
      const std::size_t lo = basin.first > piece.begin ? basin.first - 1 : basin.first;
      const std::size_t hi = std::min(basin.last + 2, piece.end - 1);
      for (std::size_t i = lo; i <= hi; ++i) {
        if (samples_[i].valid) nearest2 = std::min(nearest2, Distance2(p, samples_[i].o));
      }
      std::uintmax_t iterations = kBrentIterations;
      const double s = piece.sign;
      const auto found = boost::math::tools::brent_find_minima(
          [this, p, s](double t) {
            const double v = Distance2(p, O_.Point(t, s));
            return std::isnan(v) ? kInfinity : v;
          },
          samples_[lo].t, samples_[hi].t, kNearestBits, iterations);
      nearest2 = std::min(nearest2, found.second);
    }
    return std::sqrt(nearest2);
  }

  const Piece& PieceOf(std::size_t sample) const {
    for (const Piece& piece : pieces_) {
      if (sample < piece.end) return piece;
    }
    return pieces_.back();
  }

  OffsetCurve O_;
  Cubic A_;
  double lipschitz_ = 0;
  double gap_ = kGapPixels;
  std::vector<Piece> pieces_;
  std::vector<Sample> samples_;
  // Scratch space of Nearest, kept to save allocations.
  mutable std::vector<double> chord2_;
  mutable std::vector<Basin> basins_;
};

}  // namespace

double ReferenceLength(std::span<const IntPoint> P) {
  CheckSubscript(P.size(), 4);
  return LengthOf(TangentFieldOf(P), P);
}

std::vector<double> ZeroTangents(std::span<const IntPoint> P) {
  CheckSubscript(P.size(), 4);
  return TangentFieldOf(P).Roots(false);
}

std::optional<Deviation> ApproximateDeviation(std::span<const IntPoint> P,
                                              const std::array<IntPoint, 4>& Q, float dist) {
  CheckSubscript(P.size(), 4);
  const TangentField f = TangentFieldOf(P);
  if (f.degenerate || !std::isfinite(dist)) return std::nullopt;
  return DeviationSearch(f, P, Q, dist).Run();
}

Analysis Analyse(std::span<const IntPoint> P, std::span<const ComputedLength> lengths,
                 const std::optional<std::array<IntPoint, 4>>& Q, float dist) {
  CheckSubscript(P.size(), 4);
  Analysis result;
  const TangentField f = TangentFieldOf(P);
  result.degenerate = f.degenerate;
  result.zeroTangent = f.Roots(false);

  try {
    result.referenceLength = LengthOf(f, P);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    result.referenceLength = kNaN;
  }
  if (!std::isfinite(result.referenceLength)) result.referenceLength = kNaN;
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

  if (Q && std::isfinite(dist) && !f.degenerate) {
    try {
      result.approximateDeviation = DeviationSearch(f, P, *Q, dist).Run();
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception&) {
      result.approximateDeviation = std::nullopt;
    }
  }
  return result;
}

}  // namespace geometry
