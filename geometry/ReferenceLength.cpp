// The reference length: the arc length of the cubic Bezier in real
// arithmetic, against which the window's sums are measured; relative accuracy
// 1e-12. Notation as in ExactRoots.cpp.
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

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "AnalysisDetail.h"
#include "Arithmetic.h"

namespace geometry {

namespace detail {

namespace {

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

}  // namespace

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

}  // namespace detail

double ReferenceLength(std::span<const IntPoint> P) {
  CheckSubscript(P.size(), 4);
  return detail::LengthOf(detail::TangentFieldOf(P), P);
}

}  // namespace geometry
