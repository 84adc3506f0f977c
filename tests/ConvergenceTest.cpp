// The convergence table against facts that do not come from the sum itself:
// a straight line's exact sums, the loop's known sample counts, and the end
// correction of a left Riemann sum.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "Convergence.h"

namespace {

using geometry::ConvergenceRow;
using geometry::IntPoint;

const ConvergenceRow& RowFor(const geometry::ConvergenceTable& table, double n) {
  for (const ConvergenceRow& row : table.rows) {
    if (row.divisions == n) return row;
  }
  ADD_FAILURE() << "no row for n = " << n;
  return table.rows.front();
}

TEST(Convergence, DivisionCountsAreTheLadderFromOneToOneHundredThousand) {
  const auto& n = geometry::ConvergenceDivisions();
  ASSERT_FALSE(n.empty());
  EXPECT_EQ(n.front(), 1);
  EXPECT_EQ(n.back(), 100000);
  for (std::size_t i = 1; i < n.size(); ++i) EXPECT_LT(n[i - 1], n[i]);
  // round(10^(k/40)) repeats itself below n = 18 (10^(1/40) = 1.0593):
  // 201 values of k give 168 counts.
  EXPECT_EQ(n.size(), 168U);
}

// (0,0) (100,0) (200,0) (300,0): the speed is 300 everywhere, so each sample
// adds 300/n and the sum is 300 * samples / n; the true length is 300.
TEST(Convergence, StraightEvenlySpacedLineSumsToChordTimesSamplesOverN) {
  const std::array<IntPoint, 4> P{{{0, 0}, {100, 0}, {200, 0}, {300, 0}}};
  const geometry::ConvergenceTable table = geometry::Convergence(P);
  EXPECT_NEAR(table.referenceLength, 300, 1e-9);
  EXPECT_TRUE(table.referenceConverged);
  ASSERT_EQ(table.rows.size(), geometry::ConvergenceDivisions().size());
  for (const ConvergenceRow& row : table.rows) {
    SCOPED_TRACE(row.divisions);
    ASSERT_TRUE(row.length);
    const double expected = 300.0 * static_cast<double>(row.samples) / row.divisions;
    EXPECT_NEAR(*row.length, expected, 1e-9 * 300);
    ASSERT_TRUE(row.relativeError);
    EXPECT_NEAR(*row.relativeError, static_cast<double>(row.samples) / row.divisions - 1, 1e-9);
    EXPECT_FALSE(row.error);
    // The accumulated parameter can stop one sample early, never more, never late.
    EXPECT_TRUE(row.samples == row.divisions || row.samples + 1 == row.divisions);
  }
}

TEST(Convergence, TheWindowsCountsTakeTenNinetyNineNineHundredNinetyNineAndTenThousandSamples) {
  const std::array<IntPoint, 4> P{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
  const geometry::ConvergenceTable table = geometry::Convergence(P);
  EXPECT_EQ(RowFor(table, 10).samples, 10);
  EXPECT_EQ(RowFor(table, 100).samples, 99);
  EXPECT_EQ(RowFor(table, 1000).samples, 999);
  EXPECT_EQ(RowFor(table, 10000).samples, 10000);
  EXPECT_NEAR(*RowFor(table, 100).length, 197.0694000, 5e-8);
  EXPECT_NEAR(*RowFor(table, 1000).absoluteError, -0.2993006, 5e-7);
}

// A left Riemann sum of the speed s(t) errs by (s(0) - s(1)) / (2n) +
// (s'(1) - s'(0)) / (12 n^2) + ..., and s(0) = 3|P1 - P0|, s(1) = 3|P3 - P2|.
// Here s(0) = 120, s(1) = 3 sqrt(20) and (s'(1) - s'(0)) / 12 is about -1.2.
// The coordinates are small, so the sum's single-precision coefficients are exact.
TEST(Convergence, FullSumsApproachTheEndCorrectionOfALeftRiemannSum) {
  const std::array<IntPoint, 4> P{{{0, 0}, {40, 0}, {60, 20}, {62, 24}}};
  const double limit = (3 * 40.0 - 3 * std::sqrt(20.0)) / 2;
  const geometry::ConvergenceTable table = geometry::Convergence(P);
  int full = 0;
  for (const ConvergenceRow& row : table.rows) {
    if (row.divisions < 100 || static_cast<double>(row.samples) != row.divisions) continue;
    SCOPED_TRACE(row.divisions);
    ASSERT_TRUE(row.absoluteError);
    EXPECT_NEAR(row.divisions * *row.absoluteError, limit, 2 / row.divisions + 1e-4);
    ++full;
  }
  EXPECT_GT(full, 50);
  // A row one sample short misses its last sample, s(1 - 1/n) / n, as well.
  // B'(t) = 3a t^2 + 2b t + c with a = (2, -36), b = (-60, 60), c = (120, 0).
  const double t = 0.99;
  const double s = std::hypot(6 * t * t - 120 * t + 120, -108 * t * t + 120 * t);
  const ConvergenceRow& short100 = RowFor(table, 100);
  ASSERT_EQ(short100.samples, 99);
  EXPECT_NEAR(100 * *short100.absoluteError, limit - s, 0.05);
}

// 6 * P1.x overflows 32 bits: every sum fails, and the table says how.
TEST(Convergence, AFailingSumIsRecordedAsItsErrorKind) {
  const std::array<IntPoint, 4> P{{{0, 0}, {400000000, 0}, {0, 0}, {0, 0}}};
  const geometry::ConvergenceTable table = geometry::Convergence(P);
  ASSERT_FALSE(table.rows.empty());
  for (const ConvergenceRow& row : table.rows) {
    EXPECT_EQ(row.error, geometry::ErrorKind::Overflow);
    EXPECT_FALSE(row.length);
    EXPECT_FALSE(row.absoluteError);
    EXPECT_FALSE(row.relativeError);
  }
  EXPECT_EQ(RowFor(table, 100).samples, 99);
}

}  // namespace
