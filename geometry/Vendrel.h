#pragma once

#include <array>
#include <cstdint>
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

// C0..C4 of the squared speed f(t) = ((C0 t^4 + C1 t^3) + C2 t^2) + C3 t + C4
// as CurveLength holds them, in single precision. Raises what CurveLength
// raises for P.
std::array<float, 5> SpeedSquaredCoefficients(std::span<const geometry::IntPoint> P);

// The number of samples CurveLength(P, divisions) takes, by the same loop:
// t = 0, dt, dt + dt, ... while t <= 1 - dt. It depends on n alone: 10, 99,
// 999 and 10000 for n = 10, 100, 1000 and 10000; 0 for n < 1. Raises what
// CurveLength raises for the same n (division by zero for n = 0, an invalid
// operation for NaN or a step too small to advance t). The loop runs about n
// times, like the sum itself.
std::int64_t CurveLengthSamples(double divisions);

}  // namespace Vendrel
