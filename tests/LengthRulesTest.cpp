// The table of the better length rules against facts that do not come from
// the rules themselves: a straight line's constant speed, the start state's
// closed forms, the leading terms of the Euler-Maclaurin expansion, and an
// independent long-double computation with nodes found by Newton's method.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include <boost/math/quadrature/gauss.hpp>

#include "Convergence.h"
#include "GaussTable.h"
#include "LengthRules.h"
#include "Vendrel.h"

namespace {

using geometry::IntPoint;
using geometry::LengthRule;
using geometry::LengthRuleRow;
using geometry::LengthRulesTable;
using Points = std::array<IntPoint, 4>;

constexpr Points kStart{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
// docs/lesson.bezierlab, the README's lesson state.
constexpr Points kLesson{{{20, 200}, {90, 15}, {240, 30}, {130, 250}}};

const LengthRuleRow& RowOf(const LengthRulesTable& table, LengthRule rule, double n) {
  for (const LengthRuleRow& row : table.rows) {
    if (row.rule == rule && row.divisions == n) return row;
  }
  ADD_FAILURE() << geometry::LengthRuleName(rule) << " has no row for n = " << n;
  return table.rows.front();
}

TEST(LengthRules, EveryRuleOfAStraightEvenLineIsExactButTheSumsThatLoseASample) {
  for (const Points& P : {Points{{{0, 0}, {100, 0}, {200, 0}, {300, 0}}},
                          Points{{{10, 20}, {40, 60}, {70, 100}, {100, 140}}}}) {
    const LengthRulesTable table = geometry::LengthRules(P);
    const double L = std::hypot(P[3].x - P[0].x, P[3].y - P[0].y);
    EXPECT_NEAR(table.reference.value, L, 1e-12 * L);
    EXPECT_EQ(table.reference.evaluations, 0);  // a line's length is its chord
    ASSERT_EQ(table.rows.size(), 5 * geometry::ConvergenceDivisions().size());
    for (const LengthRuleRow& row : table.rows) {
      SCOPED_TRACE(std::string(geometry::LengthRuleName(row.rule)) +
                   " n = " + std::to_string(row.divisions));
      ASSERT_TRUE(row.length && row.relativeError);
      const bool lost = (row.rule == LengthRule::kLeft || row.rule == LengthRule::kCorrected) &&
                        static_cast<double>(row.samples) < row.divisions;
      if (lost) {
        EXPECT_NEAR(*row.relativeError, -1 / row.divisions, 1e-9);
      } else {
        EXPECT_LT(std::abs(*row.relativeError), 1e-9);
      }
    }
  }
}

// The trapezoid rule on the window's own single-precision f at t = k/n.
double SinglePrecisionTrapezoid(const Points& P, int n) {
  const std::array<float, 5> C = Vendrel::SpeedSquaredCoefficients(P);
  const auto s = [&C](double t) {
    const double f = C[0] * t * t * t * t + C[1] * t * t * t + C[2] * t * t + C[3] * t + C[4];
    return f >= 0 ? std::sqrt(f) : 0.0;
  };
  double sum = (s(0) + s(1)) / 2;
  for (int k = 1; k < n; ++k) sum += s(static_cast<double>(k) / n);
  return sum / n;
}

TEST(LengthRules, CorrectedSumIsTheTrapezoidRuleOnTheWindowsCoefficients) {
  for (const Points& P : {kStart, kLesson, Points{{{5, 255}, {255, 5}, {30, 30}, {200, 240}}}}) {
    const LengthRulesTable table = geometry::LengthRules(P);
    int compared = 0;
    for (const LengthRuleRow& row : table.rows) {
      if (row.rule != LengthRule::kCorrected || static_cast<double>(row.samples) != row.divisions)
        continue;
      SCOPED_TRACE(row.divisions);
      const double T = SinglePrecisionTrapezoid(P, static_cast<int>(row.divisions));
      ASSERT_TRUE(row.length);
      // 1e-12, and the drift of the window's accumulated parameter from k/n:
      // up to n/2 roundings of eps/2 on average, 2e-12 at n = 100,000.
      const double drift = row.divisions * std::numeric_limits<double>::epsilon() / 4;
      EXPECT_NEAR(*row.length, T, (1e-12 + drift) * T);
      EXPECT_EQ(row.evaluations, row.samples + 1);
      ++compared;
    }
    EXPECT_GT(compared, 80);
  }
}

// The start state's speed is 300 (2t^2 - 2t + 1), L = 200: the trapezoid rule
// errs by exactly f''/(12 n^2) = 100/n^2, the midpoint rule (one Gauss node)
// by -f''/24 = -50, and Simpson and every Gauss rule from two nodes are exact.
TEST(LengthRules, StartStateFollowsItsClosedForms) {
  const LengthRulesTable table = geometry::LengthRules(kStart);
  EXPECT_NEAR(table.reference.value, 200, 1e-12 * 200);
  // Whole 31-point Gauss-Kronrod rules, on the two halves at the stationary point 1/2.
  EXPECT_EQ(table.reference.evaluations, 62);
  EXPECT_LE(table.reference.estimate, 1e-12 * 200);
  for (double n : geometry::ConvergenceDivisions()) {
    SCOPED_TRACE(n);
    const double trapezoid = *RowOf(table, LengthRule::kTrapezoid, n).length - 200;
    const double expected = 100 / (n * n);
    // 1e-9 of the error, or the sum's rounding where the error is that small.
    EXPECT_NEAR(trapezoid, expected, std::max(1e-9 * expected, 1e-13 * 200));
    EXPECT_NEAR(*RowOf(table, LengthRule::kSimpson, n).length, 200, 1e-12 * 200);
    if (n >= 2) {
      EXPECT_NEAR(*RowOf(table, LengthRule::kGauss, n).length, 200, 1e-12 * 200);
    }
  }
  EXPECT_EQ(*RowOf(table, LengthRule::kGauss, 1).length, 150);
  // The end speeds are equal: the window's sum needs no correction.
  EXPECT_EQ(*RowOf(table, LengthRule::kCorrected, 10).length,
            *RowOf(table, LengthRule::kLeft, 10).length);
}

// s = sqrt(q), q = |B'|^2, and its derivatives at t, in long double from the
// integer points: s' = q'/(2s), s'' = (q''/2 - s'^2)/s, s''' = (q'''/2 - 3 s' s'')/s.
struct SpeedDerivatives {
  long double s1, s3;
};

SpeedDerivatives DerivativesAt(const Points& P, long double t) {
  const auto d = [&](auto m) {
    const long double p0 = P[0].*m, p1 = P[1].*m, p2 = P[2].*m, p3 = P[3].*m;
    const long double a = 3 * (-p0 + 3 * p1 - 3 * p2 + p3), b = 6 * (p0 - 2 * p1 + p2),
                      c = 3 * (p1 - p0);
    // B' = a t^2 + b t + c and its first two derivatives.
    return std::array<long double, 3>{(a * t + b) * t + c, 2 * a * t + b, 2 * a};
  };
  const auto x = d(&IntPoint::x), y = d(&IntPoint::y);
  const long double q = x[0] * x[0] + y[0] * y[0];
  const long double q1 = 2 * (x[0] * x[1] + y[0] * y[1]);
  const long double q2 = 2 * (x[1] * x[1] + x[0] * x[2] + y[1] * y[1] + y[0] * y[2]);
  const long double q3 = 6 * (x[1] * x[2] + y[1] * y[2]);
  const long double s = std::sqrt(q), s1 = q1 / (2 * s), s2 = (q2 / 2 - s1 * s1) / s;
  return {s1, (q3 / 2 - 3 * s1 * s2) / s};
}

// Euler-Maclaurin: T_n - L ~ (s'(1) - s'(0)) / (12 n^2) and S_n - L ~
// (s'''(1) - s'''(0)) / (180 n^4). Simpson is taken at n = 100, where its error
// (about 1e-10 of L) still stands well above the reference's 1e-12.
TEST(LengthRules, SmoothCurvesErrByTheLeadingEulerMaclaurinTerms) {
  for (const Points& P : {kLesson, Points{{{30, 40}, {80, 220}, {200, 240}, {240, 60}}},
                          Points{{{10, 10}, {60, 120}, {180, 20}, {250, 200}}}}) {
    const LengthRulesTable table = geometry::LengthRules(P);
    const double L = table.reference.value;
    const SpeedDerivatives at0 = DerivativesAt(P, 0), at1 = DerivativesAt(P, 1);
    const double t2 = static_cast<double>((at1.s1 - at0.s1) / 12);
    const double s4 = static_cast<double>((at1.s3 - at0.s3) / 180);
    const double nT = 1000, nS = 100;
    EXPECT_NEAR(nT * nT * (*RowOf(table, LengthRule::kTrapezoid, nT).length - L), t2,
                0.01 * std::abs(t2));
    EXPECT_NEAR(nS * nS * nS * nS * (*RowOf(table, LengthRule::kSimpson, nS).length - L), s4,
                0.01 * std::abs(s4));
  }
}

// Gauss-Legendre nodes and weights on [0, 1] by Newton's method on P_m in long double.
std::vector<std::array<long double, 2>> NewtonGauss(int m) {
  std::vector<std::array<long double, 2>> rule;
  for (int i = 1; i <= m; ++i) {
    long double x = std::cos(std::numbers::pi_v<long double> * (i - 0.25L) / (m + 0.5L));
    long double dp = 0;
    for (int iteration = 0; iteration < 100; ++iteration) {
      long double p0 = 1, p1 = x;
      for (int k = 2; k <= m; ++k) {
        const long double p2 = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
        p0 = p1;
        p1 = p2;
      }
      dp = m * (x * p1 - p0) / (x * x - 1);
      const long double step = p1 / dp;
      x -= step;
      if (std::abs(step) < 1e-19L) break;
    }
    rule.push_back({(1 + x) / 2, 1 / ((1 - x * x) * dp * dp)});
  }
  return rule;
}

TEST(LengthRules, TableAgreesWithAnIndependentLongDoubleComputation) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::int32_t> coordinate(-2000, 2000);
  const std::vector<double>& ladder = geometry::ConvergenceDivisions();
  std::vector<std::vector<std::array<long double, 2>>> gauss{{}};
  for (int m = 1; m <= geometry::kGaussNodes; ++m) gauss.push_back(NewtonGauss(m));
  for (int state = 0; state < 100; ++state) {
    Points P;
    for (IntPoint& p : P) p = {coordinate(random), coordinate(random)};
    SCOPED_TRACE(::testing::Message()
                 << "state " << state << ": " << P[0].x << "," << P[0].y << " " << P[1].x << ","
                 << P[1].y << " " << P[2].x << "," << P[2].y << " " << P[3].x << "," << P[3].y);
    const LengthRulesTable table = geometry::LengthRules(P);
    const auto speed = [&P](long double t) {
      const auto d = [&](auto m) {
        const long double p0 = P[0].*m, p1 = P[1].*m, p2 = P[2].*m, p3 = P[3].*m;
        const long double u = 1 - t;
        return 3 * (u * u * (p1 - p0) + 2 * u * t * (p2 - p1) + t * t * (p3 - p2));
      };
      const long double x = d(&IntPoint::x), y = d(&IntPoint::y);
      return std::sqrt(x * x + y * y);
    };
    for (std::size_t i = 0; i < ladder.size(); i += (ladder[i] < 50 ? 1 : 15)) {
      const double n = ladder[i];
      SCOPED_TRACE(n);
      const auto N = static_cast<std::int64_t>(n);
      const std::int64_t even = N % 2 == 0 ? N : N + 1;
      long double T = (speed(0) + speed(1)) / 2, S = speed(0) + speed(1);
      for (std::int64_t k = 1; k < N; ++k) T += speed(static_cast<long double>(k) / N);
      for (std::int64_t k = 1; k < even; ++k) {
        S += (k % 2 == 0 ? 2 : 4) * speed(static_cast<long double>(k) / even);
      }
      const int nodes = N <= geometry::kGaussNodes ? static_cast<int>(N) : geometry::kGaussNodes;
      const std::int64_t pieces = N <= geometry::kGaussNodes ? 1 : (N + 19) / 20;
      long double G = 0;
      for (std::int64_t j = 0; j < pieces; ++j) {
        for (const auto& [x, w] : gauss[nodes]) G += w * speed((j + x) / pieces);
      }
      const struct {
        long double length;
        std::int64_t evaluations;
        LengthRule rule;
      } expected[] = {{T / N, N + 1, LengthRule::kTrapezoid},
                      {S / (3 * even), even + 1, LengthRule::kSimpson},
                      {G / pieces, nodes * pieces, LengthRule::kGauss}};
      for (const auto& e : expected) {
        const LengthRuleRow& row = RowOf(table, e.rule, n);
        const double length = static_cast<double>(e.length);
        EXPECT_NEAR(*row.length, length, 1e-13 * length) << geometry::LengthRuleName(e.rule);
        EXPECT_EQ(row.evaluations, e.evaluations) << geometry::LengthRuleName(e.rule);
        EXPECT_EQ(*row.absoluteError, *row.length - table.reference.value);
      }
      const LengthRuleRow& left = RowOf(table, LengthRule::kLeft, n);
      EXPECT_EQ(*left.length, Vendrel::CurveLength(P, n));
      EXPECT_EQ(left.samples, Vendrel::CurveLengthSamples(n));
    }
  }
}

// The written-out rules are Boost's to the bit, those it keeps in tables and
// those it computes alike, and no other count of nodes is taken.
template <unsigned N>
void ExpectBoostsRule() {
  using Boost = boost::math::quadrature::gauss<double, N>;
  const auto table = geometry::detail::BoostGaussRule(static_cast<int>(N));
  ASSERT_EQ(table.size(), Boost::abscissa().size()) << N << " nodes";
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(table[i].abscissa),
              std::bit_cast<std::uint64_t>(Boost::abscissa()[i]))
        << N << " nodes, node " << i;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(table[i].weight),
              std::bit_cast<std::uint64_t>(Boost::weights()[i]))
        << N << " nodes, weight " << i;
  }
}

TEST(LengthRules, GaussTableIsBoostsToTheBit) {
  []<unsigned... I>(std::integer_sequence<unsigned, I...>) { (ExpectBoostsRule<I + 1>(), ...); }
  (std::make_integer_sequence<unsigned, geometry::kGaussNodes>{});
  EXPECT_THROW(geometry::detail::BoostGaussRule(0), geometry::Error);
  EXPECT_THROW(geometry::detail::BoostGaussRule(geometry::kGaussNodes + 1), geometry::Error);
}

}  // namespace
