#include "OffsetCurves.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "ErrorKindOf.h"

namespace {

using geometry::AccurateOffsetPoint;
using geometry::ApproximateOffsetPoints;
using geometry::ErrorKind;
using geometry::IntPoint;
using Points = std::array<IntPoint, 4>;

constexpr Points kDefault{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
constexpr Points kMirror{{{50, 150}, {150, 150}, {150, 50}, {50, 50}}};
constexpr Points kTightBend{{{100, 100}, {110, 100}, {110, 90}, {100, 90}}};

TEST(ApproximateOffset, HandlesGrowOutsideAndShrinkInsideABend) {
  EXPECT_EQ(ApproximateOffsetPoints(kDefault, 30),
            (Points{{{50, 20}, {170, 20}, {170, 180}, {50, 180}}}));
  EXPECT_EQ(ApproximateOffsetPoints(kMirror, 30),
            (Points{{{50, 120}, {130, 120}, {130, 80}, {50, 80}}}));
  // Curvature -1/15 with dist 30 gives the factor -1.0000001: backward handles.
  EXPECT_EQ(ApproximateOffsetPoints(kTightBend, 30),
            (Points{{{100, 70}, {90, 70}, {90, 120}, {100, 120}}}));
}

TEST(ApproximateOffset, ZeroDistanceAndStraightLines) {
  EXPECT_EQ(ApproximateOffsetPoints(kDefault, 0), kDefault);
  constexpr Points line{{{50, 100}, {100, 100}, {150, 100}, {200, 100}}};
  EXPECT_EQ(ApproximateOffsetPoints(line, 30),
            (Points{{{50, 70}, {100, 70}, {150, 70}, {200, 70}}}));
}

TEST(ApproximateOffset, StopsOnAZeroLengthEndTangent) {
  constexpr Points startTangent{{{50, 50}, {50, 50}, {150, 150}, {50, 150}}};
  constexpr Points endTangent{{{50, 50}, {150, 50}, {50, 150}, {50, 150}}};
  constexpr Points allEqual{{{9, 9}, {9, 9}, {9, 9}, {9, 9}}};
  for (const Points& P : {startTangent, endTangent, allEqual}) {
    EXPECT_EQ(KindOf([&] { ApproximateOffsetPoints(P, 30); }), ErrorKind::InvalidOperation);
  }
}

TEST(ApproximateOffset, OutOfRangeInputsRaiseTheProgramsError) {
  constexpr Points huge{{{0, 0}, {2000000000, 0}, {0, 5}, {-2000000000, 0}}};
  EXPECT_EQ(KindOf([&] { ApproximateOffsetPoints(huge, 1); }), ErrorKind::Overflow);
  // A distance that throws the offset end out of the 32-bit range.
  EXPECT_EQ(KindOf([&] { ApproximateOffsetPoints(kDefault, 3e9f); }), ErrorKind::Overflow);
  const std::vector<IntPoint> three{{0, 0}, {1, 1}, {2, 2}};
  EXPECT_EQ(KindOf([&] { ApproximateOffsetPoints(three, 1); }), ErrorKind::SubscriptOutOfRange);
}

TEST(AccurateOffset, SamplesOfTheDefaultCurve) {
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 30, 0), (IntPoint{50, 20}));
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 30, 1), (IntPoint{51, 20}));
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 30, 250), (IntPoint{155, 100}));
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 30, 499), (IntPoint{51, 180}));
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 30, 500), (IntPoint{50, 180}));
  // Distance 0 keeps the samples on the curve; the mirror image is offset
  // inside its bend.
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 0, 0), (IntPoint{50, 50}));
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 0, 250), (IntPoint{125, 100}));
  EXPECT_EQ(AccurateOffsetPoint(kDefault, 0, 500), (IntPoint{50, 150}));
  EXPECT_EQ(AccurateOffsetPoint(kMirror, 30, 250), (IntPoint{95, 100}));
}

TEST(AccurateOffset, ExactTieRoundsToEven) {
  // Point (107.5, 95), derivative (0, -15): the offset point is (78.5, 95) exactly.
  EXPECT_EQ(AccurateOffsetPoint(kTightBend, 29, 250), (IntPoint{78, 95}));
}

TEST(AccurateOffset, StopsWhereTheDerivativeVanishes) {
  constexpr Points endTangent{{{50, 50}, {150, 50}, {50, 150}, {50, 150}}};
  EXPECT_EQ(AccurateOffsetPoint(endTangent, 30, 499), (IntPoint{71, 171}));
  EXPECT_EQ(KindOf([&] { AccurateOffsetPoint(endTangent, 30, 500); }), ErrorKind::InvalidOperation);
  constexpr Points startTangent{{{50, 50}, {50, 50}, {150, 150}, {50, 150}}};
  EXPECT_EQ(KindOf([&] { AccurateOffsetPoint(startTangent, 30, 0); }), ErrorKind::InvalidOperation);
  EXPECT_NO_THROW(AccurateOffsetPoint(startTangent, 30, 1));
}

TEST(AccurateOffset, OutOfRangeInputsRaiseTheProgramsError) {
  EXPECT_EQ(KindOf([&] { AccurateOffsetPoint(kDefault, 30, 501); }),
            ErrorKind::SubscriptOutOfRange);
  EXPECT_EQ(KindOf([&] { AccurateOffsetPoint(kDefault, 30, -1); }), ErrorKind::SubscriptOutOfRange);
  EXPECT_EQ(KindOf([&] { AccurateOffsetPoint(kDefault, 3e9f, 0); }), ErrorKind::Overflow);
  constexpr Points far{{{2147483647, 0}, {2147483647, 100}, {0, 0}, {0, 0}}};
  EXPECT_EQ(KindOf([&] { AccurateOffsetPoint(far, 30, 0); }), ErrorKind::Overflow);
}

}  // namespace
