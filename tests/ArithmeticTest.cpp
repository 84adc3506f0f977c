#include "Arithmetic.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "ErrorKindOf.h"

namespace {

using geometry::Error;
using geometry::ErrorKind;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(Arithmetic, CheckedIntegerOperationsRaiseOverflowAtTheRangeEdges) {
  EXPECT_EQ(geometry::Add(kMax - 1, 1), kMax);
  EXPECT_EQ(geometry::Sub(kMin + 1, 1), kMin);
  EXPECT_EQ(geometry::Mul(-65536, 32768), kMin);
  EXPECT_EQ(KindOf([&] { geometry::Add(kMax, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::Sub(kMin, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::Sub(0, kMin); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::Mul(65536, 32768); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::Mul(kMin, -1); }), ErrorKind::Overflow);
}

TEST(Arithmetic, RoundingToInt32TiesToEvenAndChecksTheRange) {
  EXPECT_EQ(geometry::RoundToInt32(78.5), 78);
  EXPECT_EQ(geometry::RoundToInt32(79.5), 80);
  EXPECT_EQ(geometry::RoundToInt32(-0.5), 0);
  EXPECT_EQ(geometry::RoundToInt32(-1.5), -2);
  EXPECT_EQ(geometry::RoundToInt32(2147483647.4), kMax);
  EXPECT_EQ(geometry::RoundToInt32(-2147483648.5), kMin);
  EXPECT_EQ(KindOf([&] { geometry::RoundToInt32(2147483647.5); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::RoundToInt32(-2147483649.0); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::RoundToInt32(std::nan("")); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([&] { geometry::RoundToInt32(INFINITY); }), ErrorKind::Overflow);
}

TEST(Arithmetic, SingleStoreRoundsToNearestEvenAndOverflowsBeyondFloatRange) {
  EXPECT_EQ(geometry::ToSingle(28154997.0), 28154996.0f);
  EXPECT_EQ(geometry::ToSingle(59068062.0), 59068064.0f);
  EXPECT_EQ(geometry::ToSingle(16777217.0), 16777216.0f);  // tie goes to the even neighbour
  EXPECT_EQ(geometry::ToSingle(16777219.0), 16777220.0f);
  EXPECT_EQ(geometry::ToSingle(std::nextafter(0x1.ffffffp127, 0.0)), FLT_MAX);
  EXPECT_EQ(KindOf([&] { geometry::ToSingle(0x1.ffffffp127); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::ToSingle(1e39); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::ToSingle(-1e39); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::ToSingle(std::nan("")); }), ErrorKind::InvalidOperation);
}

TEST(Arithmetic, DivisionDistinguishesItsThreeErrors) {
  EXPECT_EQ(geometry::Divide(1, 4), 0.25);
  EXPECT_EQ(KindOf([&] { geometry::Divide(1, 0); }), ErrorKind::DivisionByZero);
  EXPECT_EQ(KindOf([&] { geometry::Divide(-3, -0.0); }), ErrorKind::DivisionByZero);
  EXPECT_EQ(KindOf([&] { geometry::Divide(0, 0); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([&] { geometry::Divide(1e300, 1e-300); }), ErrorKind::Overflow);
  EXPECT_EQ(KindOf([&] { geometry::SquareRoot(-1); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([&] { geometry::CheckSubscript(3, 4); }), ErrorKind::SubscriptOutOfRange);
  EXPECT_STREQ(Error(ErrorKind::DivisionByZero).what(), "division by zero");
}

}  // namespace
