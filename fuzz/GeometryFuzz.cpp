// libFuzzer target for the curve geometry: the curve length, the approximate
// offset curve and every sample of the accurate offset curve, for any four
// 32-bit points, any division count from 1 to 10000 and any finite distance.
// geometry::Error is the only way these routines may give up; any other
// exception, a sanitizer report or a broken property below is a finding.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <vector>

#include "Arithmetic.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "IntPoint.h"
#include "OffsetCurves.h"
#include "Vendrel.h"

namespace {

using geometry::ErrorKind;
using geometry::IntPoint;

using fuzz::Fail;
using fuzz::Require;

// Runs `step` and gives the kind of the geometry::Error it raised, or nothing
// when it finished. Any other exception stops the fuzzer.
template <class Step>
std::optional<ErrorKind> Run(Step&& step) {
  try {
    step();
    return std::nullopt;
  } catch (const geometry::Error& e) {
    // Four points are always given and every sample index is in range.
    Require(e.kind() != ErrorKind::SubscriptOutOfRange, "subscript error with valid arguments");
    return e.kind();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "geometry fuzz: foreign exception: %s\n", e.what());
    Fail("exception other than geometry::Error");
  } catch (...) {
    Fail("exception of a non-standard type");
  }
}

// A drawn vertex at distance zero is the point itself after the store of x and
// y to single precision: P exactly while the coordinates stay within 2^24.
bool IsSingleRounded(IntPoint drawn, IntPoint p) {
  return drawn.x == static_cast<double>(static_cast<float>(p.x)) &&
         drawn.y == static_cast<double>(static_cast<float>(p.y));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzinput::Case c = fuzzinput::Decode(data, size);
  if (!std::isfinite(c.dist)) return -1;

  // On the heap, exactly four points, so any read past P(3) is reported.
  const std::vector<IntPoint> P(c.P.begin(), c.P.end());
  const float dist = c.dist;
  const bool sameStart = P[1] == P[0];
  const bool sameEnd = P[3] == P[2];

  double length = 0;
  if (!Run([&] { length = Vendrel::CurveLength(P, c.Divisions()); })) {
    Require(std::isfinite(length) && length >= 0, "curve length negative or not finite");
  }

  std::array<IntPoint, 4> Q{};
  const auto approximate = Run([&] { Q = geometry::ApproximateOffsetPoints(P, dist); });
  if (!approximate && dist == 0) {
    Require(Q[0] == P[0] && Q[1] == P[1] && Q[2] == P[2] && Q[3] == P[3],
            "approximate offset at distance 0 differs from P");
  }
  // The start end point is the first thing computed: 0/0 for a zero tangent.
  if (sameStart) {
    Require(approximate == ErrorKind::InvalidOperation,
            "approximate offset with P(1) = P(0) is not an invalid operation");
  }

  for (std::int32_t i = 0; i <= geometry::kLastOffsetSample; ++i) {
    IntPoint drawn{};
    const auto error = Run([&] { drawn = geometry::AccurateOffsetPoint(P, dist, i); });
    // The derivative at an end is exactly zero when its tangent is.
    if ((i == 0 && sameStart) || (i == geometry::kLastOffsetSample && sameEnd)) {
      Require(error == ErrorKind::InvalidOperation,
              "accurate offset at a zero end tangent is not an invalid operation");
    }
    if (!error && dist == 0 && i == 0) {
      Require(IsSingleRounded(drawn, P[0]), "accurate sample 0 at distance 0 is not P(0)");
    }
    if (!error && dist == 0 && i == geometry::kLastOffsetSample) {
      Require(IsSingleRounded(drawn, P[3]), "accurate sample 500 at distance 0 is not P(3)");
    }
  }
  return 0;
}
