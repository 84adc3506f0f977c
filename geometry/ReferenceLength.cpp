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
// piece ends. Each piece is integrated by halving it until every Gauss-Kronrod
// rule's error estimate |K - G| lies within its share of 1e-12 of the piece's
// length; the sum of those estimates is the length's error estimate, and the
// length is marked as short of its accuracy when that exceeds 1e-12 of it
// (only where the halving reached kMaxDepth). Every evaluation of the speed
// the rules take is counted, so that other rules can be set against the
// reference's own cost. Against a long-double tanh-sinh
// reference the error stayed below 2e-13 on random and near-cusp curves. The
// speed stays below 2^38 for 32-bit points: nothing overflows and Boost has
// nothing to raise; whatever it raised would pass out as the program's error.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "BoostErrors.h"

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
// Deepest halving of a piece: at most 2^12 rules of 31 points each. The
// near-cusps of 32-bit points, which lie at piece ends, meet the tolerance
// well before (see the tests).
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
          S, lo, hi, flo, fhi, boost::math::tools::eps_tolerance<double>(), iterations,
          BoostPolicy());
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
    return Norm(difference(P[3].x, P[0].x), difference(P[3].y, P[0].y));
  }
  double total = 0;
  Vec2 from{static_cast<double>(P[0].x), static_cast<double>(P[0].y)};
  for (double t : turns) {
    const Vec2 to = B.At(t);
    total += Norm(to.x - from.x, to.y - from.y);
    from = to;
  }
  return total + Norm(P[3].x - from.x, P[3].y - from.y);
}

// One 31-point Gauss-Kronrod rule over [a, b]: the integral of the speed and
// the estimate |K - G| of its error. The rule is applied on [-1, 1] so that the
// estimate Boost returns is that of the integral itself.
struct Rule {
  double value;
  double error;
};

Rule ApplyRule(const TangentField& f, double a, double b, std::int64_t& evaluations) {
  const double half = (b - a) / 2;
  const double mid = a + half;
  Rule rule{0, 0};
  rule.value = boost::math::quadrature::gauss_kronrod<double, 31, BoostPolicy>::integrate(
      [&f, mid, half, &evaluations](double x) {
        ++evaluations;
        return f.Speed(mid + half * x) * half;
      },
      -1.0, 1.0, 0, 0.0, &rule.error);
  return rule;
}

// The integral over [a, b], whose rule is given: the rule itself when its error
// estimate is within `tolerance`, else the sum over the two halves, each with
// half the tolerance, down to `depth` more halvings. Adds the error estimates
// of the rules taken to `length`, and their evaluations of the speed.
double Refined(const TangentField& f, double a, double b, const Rule& rule, double tolerance,
               unsigned depth, Length& length) {
  const double mid = a + (b - a) / 2;
  if (rule.error <= tolerance || depth == 0 || !(a < mid && mid < b)) {
    length.estimate += rule.error;
    return rule.value;
  }
  const Rule left = ApplyRule(f, a, mid, length.evaluations);
  const Rule right = ApplyRule(f, mid, b, length.evaluations);
  return Refined(f, a, mid, left, tolerance / 2, depth - 1, length) +
         Refined(f, mid, b, right, tolerance / 2, depth - 1, length);
}

}  // namespace

Length LengthOf(const TangentField& f, std::span<const IntPoint> P) {
  if (f.degenerate) return {0, true};
  if (f.collinear) return {CollinearLength(f, P), true};
  std::vector<double> breaks = StationaryPoints(f.x, f.y);
  for (double t : f.Roots(true)) breaks.push_back(t);
  breaks.push_back(0);
  breaks.push_back(1);
  std::sort(breaks.begin(), breaks.end());
  breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());

  Length length{0, true};
  for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
    const Rule rule = ApplyRule(f, breaks[i], breaks[i + 1], length.evaluations);
    length.value += Refined(f, breaks[i], breaks[i + 1], rule,
                            kRelativeTolerance * std::abs(rule.value), kMaxDepth, length);
  }
  length.converged = length.estimate <= kRelativeTolerance * length.value;
  return length;
}

}  // namespace detail

MeasuredLength MeasureReferenceLength(std::span<const IntPoint> P) {
  CheckSubscript(P.size(), 4);
  const detail::Length length =
      detail::WithOwnErrors([P] { return detail::LengthOf(detail::TangentFieldOf(P), P); });
  return {length.value, length.converged, length.evaluations, length.estimate};
}

double ReferenceLength(std::span<const IntPoint> P, bool* converged) {
  const MeasuredLength length = MeasureReferenceLength(P);
  if (converged != nullptr) *converged = length.converged;
  return length.value;
}

}  // namespace geometry
