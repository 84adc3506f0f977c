#pragma once

namespace geometry {

// Second, third and fourth power of a double, by multiplication. The square is
// correctly rounded; the cube and the fourth power stay within one unit in the
// last place of the correctly rounded powers (the tests check this for every
// parameter value the curve-length loop reaches). The fourth power adds the
// exact rounding error of the square, so that the two roundings of (t*t)^2 do
// not add up to two units.
// T is double, or on WebAssembly a vector of two doubles that the
// curve-length loop evaluates lane by lane with the same operations.
template <class T>
struct BasicPowers {
  T t2, t3, t4;
};
using Powers = BasicPowers<double>;

// The rounding error of t2 = t*t, exactly: t*t = t2 + e. Veltkamp's split and
// Dekker's product; a fused multiply-add fma(t, t, -t2) gives the same value.
template <class T>
inline T SquareError(T t, T t2) {
  const T c = 134217729.0 * t;  // 2^27 + 1
  const T hi = c - (c - t);
  const T lo = t - hi;
  return ((hi * hi - t2) + 2.0 * (hi * lo)) + lo * lo;
}

// The powers from t, its rounded square t2 and that square's exact error e.
template <class T>
inline BasicPowers<T> PowersFrom(T t, T t2, T e) {
  return {t2, t2 * t, t2 * t2 + 2.0 * t2 * e};
}

template <class T>
inline BasicPowers<T> PowersOf(T t) {
  const T t2 = t * t;
  return PowersFrom(t, t2, SquareError(t, t2));
}

}  // namespace geometry
