#pragma once

#include <cstdint>

namespace geometry {

// A point of the drawing area in pixels: origin at the top-left corner of the
// inner area, y growing downwards. Arrays of four are laid out as consecutive
// (x, y) pairs so they can be handed whole to the device context.
struct IntPoint {
  std::int32_t x;
  std::int32_t y;

  friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

}  // namespace geometry
