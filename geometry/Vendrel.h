#pragma once

#include <span>

#include "IntPoint.h"

namespace Vendrel {

// Length of the cubic Bezier curve with control points P(0)..P(3) by a left
// Riemann sum of its speed over `divisions` equal steps of the parameter.
// The power-basis and squared-speed coefficients are held in single precision
// and the parameter is advanced by repeated addition, so the result, and the
// number of samples taken (10, 99, 999 and 10000 for n = 10 .. 10000), are
// those of this mix of single and double precision, not of exact arithmetic.
// Raises geometry::Error: subscript out of range when P has fewer than four
// points, overflow in the integer coefficients, division by zero for n = 0.
double CurveLength(std::span<const geometry::IntPoint> P, double divisions);

}  // namespace Vendrel
