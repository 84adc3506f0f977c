#pragma once

namespace geometry {

// Second, third and fourth power of a double, by multiplication. The square is
// correctly rounded; the cube and the fourth power stay within one unit in the
// last place of the correctly rounded powers (the tests check this for every
// parameter value the curve-length loop reaches). The fourth power adds the
// exact rounding error of the square, so that the two roundings of (t*t)^2 do
// not add up to two units.
struct Powers {
  double t2, t3, t4;
};

// The rounding error of t2 = t*t, exactly: t*t = t2 + e. Veltkamp's split and
// Dekker's product; a fused multiply-add fma(t, t, -t2) gives the same value.
inline double SquareError(double t, double t2) {
  const double c = 134217729.0 * t;  // 2^27 + 1
  const double hi = c - (c - t);
  const double lo = t - hi;
  return ((hi * hi - t2) + 2 * (hi * lo)) + lo * lo;
}

// The powers from t, its rounded square t2 and that square's exact error e.
inline Powers PowersFrom(double t, double t2, double e) {
  return {t2, t2 * t, t2 * t2 + 2 * t2 * e};
}

inline Powers PowersOf(double t) {
  const double t2 = t * t;
  return PowersFrom(t, t2, SquareError(t, t2));
}

}  // namespace geometry
