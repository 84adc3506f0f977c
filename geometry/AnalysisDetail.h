#pragma once

// What the parts of the error analysis share: the exact derivative of the
// curve split into the factor that holds its zeros and a direction field that
// vanishes nowhere (ExactRoots.cpp), the curve in power form, and the entry
// points of the reference length (ReferenceLength.cpp) and the deviation search
// (OffsetSamples.cpp, Deviation.cpp). Private to geometry/; callers include
// Analysis.h.

#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "Analysis.h"
#include "Arithmetic.h"
#include "IntPoint.h"

namespace geometry::detail {

__extension__ typedef __int128 Int128;

// a t^2 + b t + c with integer coefficients.
struct IntQuadratic {
  std::int64_t a = 0;
  std::int64_t b = 0;
  std::int64_t c = 0;

  int Degree() const { return a != 0 ? 2 : b != 0 ? 1 : c != 0 ? 0 : -1; }
  // The leading coefficient, 0 for the zero polynomial.
  std::int64_t Leading() const { return a != 0 ? a : b != 0 ? b : c; }
};

// p/q in lowest terms, q > 0.
struct Rational {
  std::int64_t p;
  std::int64_t q;
};

// A real root of an integer quadratic: its double value, where it lies against
// [0, 1] (decided exactly), its multiplicity and, when rational, its exact value.
struct Root {
  double value;
  bool inUnit;  // 0 <= root <= 1
  bool inside;  // 0 < root < 1
  int multiplicity;
  std::optional<Rational> exact;
};

struct Vec2 {
  double x;
  double y;
};

// The length of (x, y) from a square root and a sum of products, which IEEE 754
// rounds the same way on every platform; the C libraries' hypot differ in the
// last bit. No overflow guard is needed: every vector here comes from 32-bit
// points, far below the square root of the double range.
inline double Norm(double x, double y) { return std::sqrt(x * x + y * y); }

inline double Distance2(Vec2 p, Vec2 q) {
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

  // From control points that need not be whole numbers (rounded in double).
  static Cubic OfPoints(const std::array<Vec2, 4>& P) {
    const auto coefficients = [&P](double Vec2::*m) {
      const double p0 = P[0].*m, p1 = P[1].*m, p2 = P[2].*m, p3 = P[3].*m;
      return std::array<double, 4>{-p0 + 3 * p1 - 3 * p2 + p3, 3 * p0 - 6 * p1 + 3 * p2,
                                   3 * (p1 - p0), p0};
    };
    const auto x = coefficients(&Vec2::x);
    const auto y = coefficients(&Vec2::y);
    return {x[0], x[1], x[2], x[3], y[0], y[1], y[2], y[3]};
  }

  Vec2 At(double t) const {
    return {((ax * t + bx) * t + cx) * t + dx, ((ay * t + by) * t + cy) * t + dy};
  }
};

// B'(t)/3 = g(t) w(t), with w vanishing nowhere (see ExactRoots.cpp).
struct TangentField {
  bool degenerate = false;
  bool collinear = false;
  IntQuadratic x, y;
  Poly2 g{0, 0, 1};
  std::vector<Root> gRoots;  // every real root of g
  double gLeadingSign = 1;
  Poly2 wx, wy;

  // sign(g(t)) for t that is not a root.
  double SignOfG(double t) const;
  // The roots of g in (0, 1) when `inside`, else in [0, 1]; ascending.
  std::vector<double> Roots(bool inside) const;
  double Speed(double t) const;
};

// The factorisation of B'/3 for the points P(0)..P(3).
TangentField TangentFieldOf(std::span<const IntPoint> P);

// A sample of the offset curve.
struct Sample {
  double t;
  Vec2 o;        // the offset point
  Vec2 n;        // unit direction of w
  bool forward;  // O' runs along B' (false past a cusp of O)
  bool valid;
};

// The closure of the true offset curve of f and P at distance d, as pieces of
// samples between the cusps of B, dense enough for the nearest-point search
// (OffsetSamples.cpp).
class SampledOffset {
 public:
  // The samples [begin, end) of one piece, on which sign(g) is `sign`.
  struct Piece {
    double sign;
    std::size_t begin;
    std::size_t end;
  };

  SampledOffset(const TangentField& f, std::span<const IntPoint> P, double d);

  // O(t) on a piece where sign(g) = s.
  Vec2 Point(double t, double s) const;
  // Squared distance from p to the chord of samples i and i + 1.
  double ChordDistance2(Vec2 p, std::size_t i) const;
  const Piece& PieceOf(std::size_t sample) const;

  const std::vector<Piece>& pieces() const { return pieces_; }
  const std::vector<Sample>& samples() const { return samples_; }
  // The longest chord a gap may have.
  double gap() const { return gap_; }
  // Whether every gap meets the conditions of OffsetSamples.cpp (none was
  // left at a bound of the refinement).
  bool complete() const { return complete_; }

 private:
  Sample SampleAt(double t, double s) const;
  void Refine(const Sample& a, const Sample& b, double s, int depth);

  const TangentField& f_;
  Cubic B_;
  double d_;
  double gap_ = 0;
  bool complete_ = true;
  std::vector<Piece> pieces_;
  std::vector<Sample> samples_;
};

// A length, whether it meets its stated accuracy, the evaluations of the speed
// it took and the sum of its rules' error estimates (0 for a closed form).
struct Length {
  double value;
  bool converged;
  std::int64_t evaluations = 0;
  double estimate = 0;
};

// The arc length of the curve of f and P (ReferenceLength.cpp).
Length LengthOf(const TangentField& f, std::span<const IntPoint> P);

// The deviation of the curve Q from the offset curve of f and P at distance d,
// for a curve that is not degenerate and a finite d (Deviation.cpp).
std::optional<Deviation> DeviationOf(const TangentField& f, std::span<const IntPoint> P,
                                     const std::array<IntPoint, 4>& Q, double d);

// The same measure for any cubic A against an offset curve sampled once: the
// largest deviation, and h(u) at each of `u` (NaN where no point of O is
// defined). `leg` is the longest leg of A's control polygon (LongestLeg),
// which bounds |A'| for the scan of Deviation.cpp.
std::optional<Deviation> DeviationOf(const SampledOffset& O, const Cubic& A, double leg);
std::vector<double> DistancesOf(const SampledOffset& O, const Cubic& A, double leg,
                                std::span<const double> u);
double LongestLeg(const std::array<IntPoint, 4>& Q);
double LongestLeg(const std::array<Vec2, 4>& Q);

// Runs f, turning what a library raises into the program's own error: an
// overflow into ErrorKind::Overflow, anything else into InvalidOperation. The
// program's own error and std::bad_alloc pass unchanged.
template <class F>
auto WithOwnErrors(const F& f) -> decltype(f()) {
  try {
    return f();
  } catch (const Error&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::overflow_error&) {
    throw Error(ErrorKind::Overflow);
  } catch (const std::exception&) {
    throw Error(ErrorKind::InvalidOperation);
  }
}

}  // namespace geometry::detail
