#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "IntPoint.h"

namespace geometry {

// Number of the last sample of the accurate offset curve: samples 0..500.
inline constexpr std::int32_t kLastOffsetSample = 500;

// Q(0)..Q(3) of the approximate offset curve at distance `dist`: the end
// points moved along the end normals, the handles laid off along the end
// tangents and scaled by curvature·dist + 1. Positive distances lie on the
// left of the direction of travel as seen on the screen (y down).
// Throws geometry::Error where the computation stops: an invalid operation
// for a zero-length end tangent (P(1) = P(0) or P(3) = P(2)), an overflow in
// the checked integer steps or the rounding, subscript out of range when P
// has fewer than four points.
std::array<IntPoint, 4> ApproximateOffsetPoints(std::span<const IntPoint> P, float dist);

// The drawn vertex (round(ox), round(oy)) of sample i (0..500) of the accurate
// offset curve: the curve point at t = i/500 moved by `dist` along the unit
// normal. Throws geometry::Error where that sample fails: an invalid operation
// where the derivative vanishes, an overflow in the rounding, subscript out of
// range for i outside 0..500 or P with fewer than four points.
IntPoint AccurateOffsetPoint(std::span<const IntPoint> P, float dist, std::int32_t i);

}  // namespace geometry
