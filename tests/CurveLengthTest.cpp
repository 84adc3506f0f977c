#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "ErrorKindOf.h"
#include "Powers.h"
#include "Vendrel.h"

namespace {

using geometry::ErrorKind;
using geometry::IntPoint;
using Points = std::array<IntPoint, 4>;

constexpr Points kDefault{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};

double Length(const Points& P, double n) { return Vendrel::CurveLength(P, n); }

// The figures are given to ten significant digits.
TEST(CurveLength, DefaultPointsForTheFourDivisionCounts) {
  EXPECT_NEAR(Length(kDefault, 10), 201.0000000, 5e-8);
  EXPECT_NEAR(Length(kDefault, 100), 197.0694000, 5e-8);
  EXPECT_NEAR(Length(kDefault, 1000), 199.7006994, 5e-8);
  EXPECT_NEAR(Length(kDefault, 10000), 200.0000010, 5e-8);
  EXPECT_DOUBLE_EQ(Length(kDefault, 1), 300);  // one sample at t = 0: sqrt(C4)
}

// Each sample of an evenly spaced straight line adds 300·dt, so these also
// pin the sample counts: 10, 99, 999 and 10000.
TEST(CurveLength, StraightLineCountsTheSamplesOfTheAccumulatedParameter) {
  constexpr Points line{{{0, 0}, {100, 0}, {200, 0}, {300, 0}}};
  EXPECT_NEAR(Length(line, 10), 300, 1e-9);
  EXPECT_NEAR(Length(line, 100), 297, 1e-9);
  EXPECT_NEAR(Length(line, 1000), 299.7, 1e-9);
  EXPECT_NEAR(Length(line, 10000), 300, 1e-9);
}

TEST(CurveLength, SinglePrecisionCoefficientsChangeTheResult) {
  constexpr Points P{{{22, 213}, {569, 328}, {102, 95}, {303, 61}}};
  EXPECT_NEAR(Length(P, 10), 556.2997746, 5e-8);
  EXPECT_NEAR(Length(P, 100), 494.1835065, 5e-8);
}

TEST(CurveLength, DegenerateCurvesGiveZeroOrSkipNegativeSamples) {
  constexpr Points same{{{7, 7}, {7, 7}, {7, 7}, {7, 7}}};
  for (double n : {10.0, 100.0, 1000.0, 10000.0}) EXPECT_EQ(Length(same, n), 0);
  // The speed vanishes at t = 1/2; samples near it may evaluate below zero and
  // must be skipped silently.
  constexpr Points cusp{{{0, 0}, {300, 300}, {0, 300}, {300, 0}}};
  for (double n : {10.0, 100.0, 1000.0, 10000.0}) {
    const double L = Length(cusp, n);
    EXPECT_TRUE(std::isfinite(L));
    EXPECT_GT(L, 400);
  }
}

TEST(CurveLength, DivisionCountsOutsideTheUsualRange) {
  EXPECT_EQ(KindOf([&] { Length(kDefault, 0); }), ErrorKind::DivisionByZero);
  EXPECT_EQ(Length(kDefault, 0.5), 0);
  EXPECT_EQ(Length(kDefault, -10), 0);
  EXPECT_EQ(KindOf([&] { Length(kDefault, std::nan("")); }), ErrorKind::InvalidOperation);
  // A step that cannot advance t would loop for ever.
  EXPECT_EQ(KindOf([&] { Length(kDefault, INFINITY); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([&] { Length(kDefault, 1e17); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([&] { Length(kDefault, 1e300); }), ErrorKind::InvalidOperation);
}

TEST(CurveLength, IntegerOverflowAndShortArrays) {
  // 6·P1.x leaves the 32-bit range at bx, although ax = 1.2e9 still fits.
  constexpr Points wide{{{0, 0}, {400000000, 0}, {0, 0}, {0, 0}}};
  EXPECT_EQ(KindOf([&] { Length(wide, 10); }), ErrorKind::Overflow);
  // Within ±178956970 nothing can overflow.
  constexpr Points edge{{{-178956970, 178956970},
                         {178956970, -178956970},
                         {-178956970, 178956970},
                         {178956970, -178956970}}};
  EXPECT_TRUE(std::isfinite(Length(edge, 10)));
  const std::vector<IntPoint> three{{0, 0}, {1, 1}, {2, 2}};
  EXPECT_EQ(KindOf([&] { Vendrel::CurveLength(three, 10); }), ErrorKind::SubscriptOutOfRange);
}

// The curve-length loop takes its powers from PowersOf. That is allowed only if,
// for every t the loop can reach, each power stays within one unit in the last
// place of the correctly rounded power (computed here in quad precision).
__extension__ typedef __float128 Quad;

double UlpDistance(double a, double b) {
  return std::fabs(a - b) / (std::nextafter(std::fabs(b), INFINITY) - std::fabs(b));
}

TEST(CurveLength, PowersStayWithinOneUlpForEveryReachableT) {
  std::vector<int> counts{1000, 10000};
  for (int n = 1; n <= 300; ++n) counts.push_back(n);  // includes 10 and 100
  std::size_t checked = 0;
  for (int n : counts) {
    const double dt = 1.0 / n;
    const double end = 1.0 - dt;
    // The parameter is accumulated exactly as the curve-length loop does.
    // NOLINTNEXTLINE(cert-flp30-c,clang-analyzer-security.FloatLoopCounter)
    for (double t = 0; t <= end; t += dt) {
      const auto [t2, t3, t4] = geometry::PowersOf(t);
      // Processors with a fused multiply-add take the square's error from it.
      ASSERT_EQ(geometry::SquareError(t, t2), std::fma(t, t, -t2)) << "t = " << t;
      const Quad q = t;
      ASSERT_EQ(t2, static_cast<double>(q * q)) << "t = " << t << ", n = " << n;
      ASSERT_LE(UlpDistance(t3, static_cast<double>(q * q * q)), 1.0) << "t = " << t;
      ASSERT_LE(UlpDistance(t4, static_cast<double>(q * q * q * q)), 1.0) << "t = " << t;
      ++checked;
    }
  }
  EXPECT_GT(checked, 50'000u);
}

}  // namespace
