#pragma once

// The byte layout the geometry fuzz target reads, shared with the seed writer
// so the seeds and the decoder cannot drift apart. Bytes past the end of a
// short input read as zero; bytes past kInputSize are ignored.
//
//   0..31  P(0).x, P(0).y, ..., P(3).y: eight int32, little-endian, any value
//  32..33  division count: uint16, little-endian, mapped onto 1..10000
//  34..37  offset distance: float bit pattern, little-endian
//  38      flags: kDecade takes n = 10, 100, 1000 or 10000 (from the low two
//          bits of the division field) instead; kZeroDist replaces the
//          distance by a zero of the same sign; kSameStart and kSameEnd copy
//          P(0) over P(1) and P(2) over P(3) to reach the zero tangents;
//          kShort keeps only the low 16 bits of each coordinate, sign-extended,
//          where most curves get through without an overflow.

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "IntPoint.h"

namespace fuzzinput {

inline constexpr std::size_t kInputSize = 39;

enum Flags : std::uint8_t {
  kDecade = 1,
  kZeroDist = 2,
  kSameStart = 4,
  kSameEnd = 8,
  kShort = 16,
};

struct Case {
  std::array<geometry::IntPoint, 4> P;
  std::uint16_t divisionField;
  float dist;
  std::uint8_t flags;

  // The division count handed to the curve length, always in 1..10000.
  double Divisions() const {
    if (flags & kDecade) {
      static constexpr double kDecades[] = {10, 100, 1000, 10000};
      return kDecades[divisionField % 4];
    }
    return divisionField % 10000 + 1;
  }
};

inline std::uint32_t ReadU32(const std::uint8_t* b) {
  return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
         std::uint32_t{b[3]} << 24;
}

inline void WriteU32(std::uint8_t* b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b[k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// The case the fuzzer's bytes stand for, flags applied.
inline Case Decode(const std::uint8_t* data, std::size_t size) {
  std::array<std::uint8_t, kInputSize> b{};
  for (std::size_t k = 0; k < size && k < kInputSize; ++k) b[k] = data[k];

  Case c{};
  for (std::size_t k = 0; k < 4; ++k) {
    c.P[k].x = static_cast<std::int32_t>(ReadU32(&b[8 * k]));
    c.P[k].y = static_cast<std::int32_t>(ReadU32(&b[8 * k + 4]));
  }
  c.divisionField = static_cast<std::uint16_t>(b[32] | b[33] << 8);
  c.dist = std::bit_cast<float>(ReadU32(&b[34]));
  c.flags = b[38];
  if (c.flags & kShort) {
    for (geometry::IntPoint& p : c.P) {
      p = {static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y)};
    }
  }
  if (c.flags & kZeroDist) c.dist = std::signbit(c.dist) ? -0.0f : 0.0f;
  if (c.flags & kSameStart) c.P[1] = c.P[0];
  if (c.flags & kSameEnd) c.P[3] = c.P[2];
  return c;
}

inline std::vector<std::uint8_t> Encode(const Case& c) {
  std::vector<std::uint8_t> b(kInputSize);
  for (std::size_t k = 0; k < 4; ++k) {
    WriteU32(&b[8 * k], static_cast<std::uint32_t>(c.P[k].x));
    WriteU32(&b[8 * k + 4], static_cast<std::uint32_t>(c.P[k].y));
  }
  b[32] = static_cast<std::uint8_t>(c.divisionField);
  b[33] = static_cast<std::uint8_t>(c.divisionField >> 8);
  WriteU32(&b[34], std::bit_cast<std::uint32_t>(c.dist));
  b[38] = c.flags;
  return b;
}

}  // namespace fuzzinput
