// The cusps of the true offset curve: every t in [0, 1] where the factor
// 1 + d·κ(t) that scales the yellow handles passes through zero, where the
// offset curve's speed |B'| (1 + d κ) vanishes and its direction turns back.
// Notation as in ExactRoots.cpp and OffsetStudyDetail.h.
//
// - The polynomial. 1 + d κ = 0 means 3 |g| |w|³ = -d Cw. Squared, with the
//   side condition d Cw < 0, it is the polynomial equation
//     p(t) = 9 g² (wx² + wy²)³ - d² Cw² = 0,
//   of degree 12 for a curve without a zero tangent (g = 1, w and Cw
//   quadratic) and 8 with one (g and w linear). Working with w instead of
//   B'/3 divides out the factor g⁴ that every zero tangent would give p
//   (where both sides vanish), so zero tangents are never roots of p unless
//   Cw vanishes there too, which the side condition drops.
// - Roots of p in [0, 1], never by sampling. p is formed in the Bernstein
//   basis on [0, 1] (products and degree elevation of the Bernstein
//   coefficients of g, wx, wy and Cw), where its coefficients bound its values
//   instead of cancelling as the power basis's do (near a near-cusp of B, p is
//   some 10^-15 of its power coefficients). The number of sign changes of the
//   coefficients bounds the number of roots (Descartes' rule): none, no root;
//   one, exactly one, found by bisection of p evaluated from its factors; more,
//   the interval is halved by de Casteljau's construction, down to intervals of
//   kClusterWidth, whose middle is taken as a candidate.
// - Polishing. The coefficients of p are rounded and its two terms cancel at
//   a root, so each root of p with d Cw < 0 is taken back to the unsquared
//   numerator 3 |g| |w|³ + d Cw: a bracket around it, 2·10^-12 wide and
//   widened tenfold up to 2·10^-6 until the numerator differs in sign at its
//   ends, is bisected down to adjacent doubles, so each cusp is exact to far
//   better than 10^-9 in t. A root that no such bracket confirms (the factor
//   touches zero without crossing it) is not a cusp: the offset curve does
//   not turn back there.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "OffsetStudyDetail.h"

namespace geometry::detail {

namespace {

// The polishing brackets' half widths: from well above the rounding of t near
// 1 to well below the spacing of two cusps the measure can tell apart.
constexpr std::array<double, 7> kBrackets{1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6};
// Intervals that still hold several sign changes are halved down to this
// width: two roots of p closer than this are one candidate.
constexpr double kClusterWidth = 1e-13;

// Bernstein coefficients on [0, 1]; the degree is size() - 1.
using Bernstein = std::vector<double>;

Bernstein Of(const Poly2& q) {
  if (q.a != 0) return {q.c, q.c + q.b / 2, q.a + q.b + q.c};
  if (q.b != 0) return {q.c, q.b + q.c};
  return {q.c};
}

double Binomial(std::size_t n, std::size_t k) {
  double r = 1;
  for (std::size_t i = 1; i <= k; ++i) r = r * static_cast<double>(n - k + i) / i;
  return r;
}

Bernstein Times(const Bernstein& a, const Bernstein& b) {
  const std::size_t m = a.size() - 1, n = b.size() - 1;
  Bernstein c(m + n + 1, 0.0);
  for (std::size_t i = 0; i <= m; ++i) {
    for (std::size_t j = 0; j <= n; ++j) {
      c[i + j] += Binomial(m, i) * Binomial(n, j) / Binomial(m + n, i + j) * a[i] * b[j];
    }
  }
  return c;
}

Bernstein Elevated(Bernstein a, std::size_t degree) {
  while (a.size() - 1 < degree) {
    const std::size_t n = a.size() - 1;
    Bernstein e(n + 2);
    e[0] = a[0];
    e[n + 1] = a[n];
    for (std::size_t i = 1; i <= n; ++i) {
      const double k = static_cast<double>(i) / (n + 1);
      e[i] = k * a[i - 1] + (1 - k) * a[i];
    }
    a = std::move(e);
  }
  return a;
}

Bernstein Plus(const Bernstein& a, const Bernstein& b, double scale) {
  const std::size_t degree = std::max(a.size(), b.size()) - 1;
  Bernstein x = Elevated(a, degree), y = Elevated(b, degree);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] += scale * y[i];
  return x;
}

int SignChanges(const Bernstein& b) {
  int changes = 0;
  double last = 0;
  for (double v : b) {
    if (v == 0) continue;
    if (last != 0 && (v < 0) != (last < 0)) ++changes;
    last = v;
  }
  return changes;
}

// A root of f between a and b, where f(a) and f(b) are nonzero and differ in
// sign, by bisection until a and b are adjacent doubles.
template <class F>
double Bisect(const F& f, double a, double b) {
  const bool aNegative = f(a) < 0;
  for (;;) {
    const double m = 0.5 * (a + b);
    if (!(a < m && m < b)) return a;
    const double v = f(m);
    if (v == 0) return m;
    ((v < 0) == aNegative ? a : b) = m;
  }
}

// Candidates for the roots of p in (lo, hi), ascending, p's Bernstein
// coefficients on [lo, hi] being b; `at` evaluates p from its factors.
template <class F>
void RootsIn(const Bernstein& b, double lo, double hi, const F& at, std::vector<double>& out) {
  const int changes = SignChanges(b);
  if (changes == 0) return;
  if (changes == 1 && b.front() != 0 && b.back() != 0) {
    const double plo = at(lo), phi = at(hi);
    const bool bracketed = plo != 0 && phi != 0 && (plo < 0) != (phi < 0);
    out.push_back(bracketed ? Bisect(at, lo, hi) : 0.5 * (lo + hi));
    return;
  }
  const double mid = 0.5 * (lo + hi);
  if (hi - lo < kClusterWidth || !(lo < mid && mid < hi)) {
    out.push_back(mid);
    return;
  }
  // de Casteljau at 1/2: the left half's coefficients run down the left edge
  // of the triangle, the right half's down its right edge.
  const std::size_t n = b.size() - 1;
  Bernstein left(n + 1), right(n + 1), row = b;
  for (std::size_t k = 0; k <= n; ++k) {
    left[k] = row.front();
    right[n - k] = row.back();
    for (std::size_t i = 0; i + 1 < row.size(); ++i) row[i] = 0.5 * (row[i] + row[i + 1]);
    row.pop_back();
  }
  RootsIn(left, lo, mid, at, out);
  if (left.back() == 0) out.push_back(mid);
  RootsIn(right, mid, hi, at, out);
}

}  // namespace

FactorField::FactorField(const TangentField& f, double d) : f_(f), d_(d) {
  const Poly2& x = f.wx;
  const Poly2& y = f.wy;
  // wx wy' - wy wx': the cubic terms cancel.
  cw_ = {y.a * x.b - x.a * y.b, 2 * (y.a * x.c - x.a * y.c), x.c * y.b - y.c * x.b};
}

double FactorField::WCubed(double t) const {
  const double x = f_.wx.At(t), y = f_.wy.At(t);
  const double n2 = x * x + y * y;
  return n2 * std::sqrt(n2);
}

double FactorField::Curvature(double t) const {
  return cw_.At(t) / (3 * std::abs(f_.g.At(t)) * WCubed(t));
}

double FactorField::Numerator(double t) const {
  return 3 * std::abs(f_.g.At(t)) * WCubed(t) + d_ * cw_.At(t);
}

std::vector<double> CuspParameters(const FactorField& field) {
  const TangentField& f = field.field();
  const double d = field.distance();
  const Bernstein g = Of(f.g), wx = Of(f.wx), wy = Of(f.wy), cw = Of(field.cw());
  const Bernstein w2 = Plus(Times(wx, wx), Times(wy, wy), 1);
  const Bernstein p = Plus(Times(Times(Times(g, g), Times(w2, w2)), Times(w2, Bernstein{9.0})),
                           Times(cw, cw), -d * d);
  const auto at = [&](double t) {
    const double gt = f.g.At(t), x = f.wx.At(t), y = f.wy.At(t), c = field.cw().At(t);
    const double s = x * x + y * y;
    return 9 * gt * gt * s * s * s - d * d * c * c;
  };
  std::vector<double> roots;
  if (p.front() == 0) roots.push_back(0);
  RootsIn(p, 0, 1, at, roots);
  if (p.back() == 0) roots.push_back(1);

  const auto numerator = [&field](double t) { return field.Numerator(t); };
  std::vector<double> cusps;
  for (double r : roots) {
    if (!(field.Side(r) < 0)) continue;
    for (const double e : kBrackets) {
      const double a = std::max(0.0, r - e), b = std::min(1.0, r + e);
      const double na = numerator(a), nb = numerator(b);
      double t = -1;
      if (na == 0) {
        t = a;
      } else if (nb == 0) {
        t = b;
      } else if ((na < 0) != (nb < 0)) {
        t = Bisect(numerator, a, b);
      }
      if (t < 0) continue;
      if (cusps.empty() || t > cusps.back()) cusps.push_back(t);
      break;
    }
  }
  return cusps;
}

}  // namespace geometry::detail
