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

inline Powers PowersOf(double t) {
  // Veltkamp's split and Dekker's product: e is exactly t*t - t2.
  const double c = 134217729.0 * t;  // 2^27 + 1
  const double hi = c - (c - t);
  const double lo = t - hi;
  const double t2 = t * t;
  const double e = ((hi * hi - t2) + 2 * (hi * lo)) + lo * lo;
  return {t2, t2 * t, t2 * t2 + 2 * t2 * e};
}

}  // namespace geometry
