#include "Analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "AnalysisDetail.h"
#include "ErrorKindOf.h"
#include "OffsetCurves.h"
#include "Vendrel.h"

namespace {

using geometry::IntPoint;
using Points = std::array<IntPoint, 4>;

constexpr Points kDefault{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
// B'(t) = 900 (1 - 2t) ((1 - 2t), 1): a cusp at t = 1/2.
constexpr Points kCusp{{{0, 0}, {300, 300}, {0, 300}, {300, 0}}};

double Relative(double value, double exact) { return std::fabs(value - exact) / exact; }

TEST(ReferenceLength, LinesAreMeasuredInClosedForm) {
  // Traversed in one direction: the chord, exactly, however the points are spaced.
  EXPECT_EQ(geometry::ReferenceLength(Points{{{0, 0}, {100, 0}, {200, 0}, {300, 0}}}), 300);
  EXPECT_EQ(geometry::ReferenceLength(Points{{{10, 20}, {40, 60}, {190, 260}, {250, 340}}}), 400);
  // Out to x = 150 at t = 1/2 and back.
  EXPECT_EQ(geometry::ReferenceLength(Points{{{0, 0}, {200, 0}, {200, 0}, {0, 0}}}), 300);
  // x(t) = 300 t (1 - t)(1 - 2t) turns at t = 1/2 -+ sqrt(3)/6, where |x| = 50/sqrt(3):
  // four such stretches.
  EXPECT_LT(Relative(geometry::ReferenceLength(Points{{{0, 0}, {100, 0}, {-100, 0}, {0, 0}}}),
                     200 / std::sqrt(3.0)),
            1e-15);
}

TEST(ReferenceLength, AgreesWithClosedFormsToTwelveDigits) {
  // The quadratic (0,0), (150,300), (300,0) written as a cubic: B' = (300, 600 - 1200 t),
  // so the length is (1/600) [s sqrt(300^2 + s^2) / 2 + 300^2 asinh(s / 300) / 2] at s = 600.
  const double parabola = (300 * std::sqrt(450000.0) + 45000 * std::asinh(2.0)) / 600;
  EXPECT_LT(Relative(geometry::ReferenceLength(Points{{{0, 0}, {100, 200}, {200, 200}, {300, 0}}}),
                     parabola),
            1e-12);
  // Through the cusp: 2 * 900 * integral of u sqrt(u^2 + 1) / 2 over [0, 1] = 300 (2 sqrt 2 - 1).
  const double cusp = 300 * (2 * std::sqrt(2.0) - 1);
  EXPECT_LT(Relative(geometry::ReferenceLength(kCusp), cusp), 1e-12);
  // The same cusp scaled by 2^22 (coordinates near 1.26e9), where 32-bit arithmetic
  // would overflow: the length scales with it.
  constexpr std::int32_t k = 300 << 22;
  EXPECT_LT(Relative(geometry::ReferenceLength(Points{{{0, 0}, {k, k}, {0, k}, {k, 0}}}),
                     cusp * (1 << 22)),
            1e-12);
  // A cusp off the halving points: B'/3 = (3t - 1) (200, 200t), so the length is
  // 600 times the integral of |3t - 1| sqrt(1 + t^2), whose antiderivative without
  // the modulus is F(t) = (1 + t^2)^1.5 - (t sqrt(1 + t^2) + asinh t) / 2.
  const auto F = [](double t) {
    return std::pow(1 + t * t, 1.5) - (t * std::sqrt(1 + t * t) + std::asinh(t)) / 2;
  };
  EXPECT_LT(
      Relative(geometry::ReferenceLength(Points{{{0, 0}, {-200, 0}, {-100, -100}, {300, 300}}}),
               600 * (F(1) + F(0) - 2 * F(1.0 / 3))),
      1e-12);
  // The start state: |B'(t)| = 300 (2t^2 - 2t + 1), length 200.
  EXPECT_LT(Relative(geometry::ReferenceLength(kDefault), 200), 1e-12);
}

// |B'|^2 has a minimum at t = 0.000416, so one piece is very narrow. Its cost
// is watched by BM_ReferenceLengthNarrowPiece (it once took 0.6 s).
TEST(ReferenceLength, NarrowPieceKeepsItsAccuracy) {
  EXPECT_NEAR(geometry::ReferenceLength(Points{{{199, 37}, {156, 56}, {204, 279}, {285, 18}}}),
              274.457330543904, 1e-9);
}

TEST(CurveLengthSamples, FollowTheSumsLoop) {
  EXPECT_EQ(Vendrel::CurveLengthSamples(10), 10);
  EXPECT_EQ(Vendrel::CurveLengthSamples(100), 99);
  EXPECT_EQ(Vendrel::CurveLengthSamples(1000), 999);
  EXPECT_EQ(Vendrel::CurveLengthSamples(10000), 10000);
  EXPECT_EQ(Vendrel::CurveLengthSamples(1), 1);
  EXPECT_EQ(Vendrel::CurveLengthSamples(0.5), 0);
  EXPECT_EQ(Vendrel::CurveLengthSamples(-10), 0);
  EXPECT_EQ(KindOf([] { Vendrel::CurveLengthSamples(0); }), geometry::ErrorKind::DivisionByZero);
  EXPECT_EQ(KindOf([] { Vendrel::CurveLengthSamples(1e17); }),
            geometry::ErrorKind::InvalidOperation);
}

TEST(Analyse, StartStateSumsAgainstTheTrueLength) {
  std::vector<geometry::ComputedLength> lengths;
  for (double n : {10.0, 100.0, 1000.0, 10000.0}) {
    lengths.push_back({n, Vendrel::CurveLength(kDefault, n)});
  }
  const geometry::Analysis a = geometry::Analyse(kDefault, lengths, std::nullopt, 30);
  EXPECT_LT(Relative(a.referenceLength, 200), 1e-12);
  ASSERT_EQ(a.sums.size(), 4u);
  const std::int64_t samples[] = {10, 99, 999, 10000};
  for (std::size_t i = 0; i < 4; ++i) {
    const geometry::LengthSum& s = a.sums[i];
    EXPECT_EQ(s.divisions, lengths[i].divisions);
    EXPECT_EQ(s.samples, samples[i]);
    EXPECT_EQ(s.length, lengths[i].length);
    EXPECT_NEAR(s.absoluteError, lengths[i].length - 200, 1e-10);
    ASSERT_TRUE(s.relativeError.has_value());
    EXPECT_NEAR(*s.relativeError, (lengths[i].length - 200) / 200, 1e-12);
  }
  EXPECT_NEAR(a.sums[2].absoluteError, -0.2993006, 1e-7);
  EXPECT_FALSE(a.approximateDeviation.has_value());  // the yellow curve was not given
  EXPECT_FALSE(a.degenerate);
  EXPECT_TRUE(a.zeroTangent.empty());

  // Four equal points: length 0, so no relative error; no offset curve exists.
  constexpr Points same{{{7, 7}, {7, 7}, {7, 7}, {7, 7}}};
  const geometry::ComputedLength zero{10, 0};
  const geometry::Analysis d = geometry::Analyse(same, {&zero, 1}, same, 30);
  EXPECT_EQ(d.referenceLength, 0);
  ASSERT_EQ(d.sums.size(), 1u);
  EXPECT_FALSE(d.sums[0].relativeError.has_value());
  EXPECT_FALSE(d.approximateDeviation.has_value());
}

// The largest distance from the yellow curve to the true offset curve by brute
// force: the distance to 100000 points of each smooth stretch of the offset curve
// (split at the cusps), over a grid of u refined around its three highest local
// maxima. Asserts the points lie within 0.01 px of each other, so each distance
// is at most 0.005 px too large.
double BruteForceDeviation(const Points& P, const Points& Q, double d,
                           const std::vector<double>& cusps) {
  const auto at = [](const Points& C, double t) {
    const double s = 1 - t;
    const double w[4] = {s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t};
    std::array<double, 2> p{0, 0};
    for (int i = 0; i < 4; ++i) {
      p[0] += w[i] * C[i].x;
      p[1] += w[i] * C[i].y;
    }
    return p;
  };
  std::vector<std::array<double, 2>> offset;
  std::vector<double> ends{0};
  ends.insert(ends.end(), cusps.begin(), cusps.end());
  ends.push_back(1);
  constexpr int kPoints = 100000;
  double gap = 0;
  for (std::size_t k = 0; k + 1 < ends.size(); ++k) {
    const std::size_t first = offset.size();
    for (int i = 0; i <= kPoints; ++i) {
      const double t = ends[k] + (ends[k + 1] - ends[k]) * i / kPoints;
      const double s = 1 - t;
      const double dw[4] = {-3 * s * s, 3 * s * s - 6 * s * t, 6 * s * t - 3 * t * t, 3 * t * t};
      double dx = 0, dy = 0;
      for (int j = 0; j < 4; ++j) {
        dx += dw[j] * P[j].x;
        dy += dw[j] * P[j].y;
      }
      const double len = std::hypot(dx, dy);
      if (len == 0) continue;  // the cusp itself: its neighbours approach both limits
      const auto b = at(P, t);
      offset.push_back({b[0] + d * dy / len, b[1] - d * dx / len});
      if (offset.size() > first + 1) {
        const auto& q = offset[offset.size() - 2];
        gap = std::max(gap, std::hypot(offset.back()[0] - q[0], offset.back()[1] - q[1]));
      }
    }
  }
  EXPECT_LT(gap, 0.01);
  const auto h = [&](double u) {
    const auto a = at(Q, u);
    double best = INFINITY;
    for (const auto& o : offset) {
      best = std::min(best, (a[0] - o[0]) * (a[0] - o[0]) + (a[1] - o[1]) * (a[1] - o[1]));
    }
    return std::sqrt(best);
  };
  constexpr int kGrid = 200;
  std::vector<double> grid(kGrid + 1);
  for (int i = 0; i <= kGrid; ++i) grid[i] = h(static_cast<double>(i) / kGrid);
  std::vector<int> peaks;
  for (int i = 0; i <= kGrid; ++i) {
    if ((i == 0 || grid[i] >= grid[i - 1]) && (i == kGrid || grid[i] >= grid[i + 1])) {
      peaks.push_back(i);
    }
  }
  std::sort(peaks.begin(), peaks.end(), [&](int l, int r) { return grid[l] > grid[r]; });
  peaks.resize(std::min<std::size_t>(peaks.size(), 3));
  double best = *std::max_element(grid.begin(), grid.end());
  for (int i : peaks) {
    const double lo = std::max(0, i - 1) / static_cast<double>(kGrid);
    const double hi = std::min(kGrid, i + 1) / static_cast<double>(kGrid);
    for (int j = 0; j <= kGrid; ++j) best = std::max(best, h(lo + (hi - lo) * j / kGrid));
  }
  return best;
}

TEST(ApproximateDeviation, KnownAnswersToAHundredthOfAPixel) {
  // A diagonal line offset by 10 along (1, -1)/sqrt 2: the yellow curve is the line
  // moved by the rounded (7, -7), parallel to the true offset at 10 - 7 sqrt 2.
  constexpr Points diagonal{{{0, 0}, {100, 100}, {200, 200}, {300, 300}}};
  const auto dDiagonal =
      geometry::ApproximateDeviation(diagonal, geometry::ApproximateOffsetPoints(diagonal, 10), 10);
  ASSERT_TRUE(dDiagonal.has_value());
  EXPECT_NEAR(dDiagonal->max, 10 - 7 * std::sqrt(2.0), 1e-3);

  // Out along y = 0 to x = 150 and back: the true offset is y = -30 on the way out
  // and y = +30 on the way back, both for 0 <= x <= 150, the ends at x = 150 being
  // the limits at the cusp t = 1/2. The yellow curve (0,-30), (200,-30), (200,30),
  // (0,30) has y(u) = 60 (3u^2 - 2u^3) - 30 and 0 <= x(u) <= 150, so its distance
  // is 30 - |y(u)|: largest, 30, at u = 1/2, nearest to both cusp limits.
  constexpr Points backAndForth{{{0, 0}, {200, 0}, {200, 0}, {0, 0}}};
  const Points yellow = geometry::ApproximateOffsetPoints(backAndForth, 30);
  ASSERT_EQ(yellow, (Points{{{0, -30}, {200, -30}, {200, 30}, {0, 30}}}));
  const auto dBack = geometry::ApproximateDeviation(backAndForth, yellow, 30);
  ASSERT_TRUE(dBack.has_value());
  EXPECT_NEAR(dBack->max, 30, 1e-3);
  EXPECT_NEAR(dBack->u, 0.5, 1e-4);

  // Curved cases against brute force: the start state (A(1/2) = (140, 100) is
  // 15 px from the offset point (155, 100)); a tight bend whose inner offset
  // folds into cusps of its own; the cusp curve, whose offset jumps at t = 1/2.
  const struct {
    Points P;
    float dist;
    std::vector<double> cusps;
  } cases[] = {{kDefault, 30, {}},
               {Points{{{100, 100}, {110, 100}, {110, 90}, {100, 90}}}, 30, {}},
               {kCusp, 30, {0.5}}};
  for (const auto& c : cases) {
    const Points Q = geometry::ApproximateOffsetPoints(c.P, c.dist);
    const auto d = geometry::ApproximateDeviation(c.P, Q, c.dist);
    ASSERT_TRUE(d.has_value());
    EXPECT_NEAR(d->max, BruteForceDeviation(c.P, Q, c.dist, c.cusps), 0.01)
        << "P(1) = (" << c.P[1].x << ", " << c.P[1].y << ")";
  }
  const auto start =
      geometry::ApproximateDeviation(kDefault, geometry::ApproximateOffsetPoints(kDefault, 30), 30);
  EXPECT_NEAR(start->max, 15, 0.01);
  EXPECT_NEAR(start->u, 0.5, 1e-3);
}

TEST(ZeroTangents, FoundExactly) {
  EXPECT_EQ(geometry::ZeroTangents(kCusp), std::vector<double>{0.5});
  EXPECT_TRUE(geometry::ZeroTangents(kDefault).empty());
  // At the ends: P(1) = P(0), P(3) = P(2).
  EXPECT_EQ(geometry::ZeroTangents(Points{{{0, 0}, {0, 0}, {100, 50}, {200, 0}}}),
            std::vector<double>{0});
  EXPECT_EQ(geometry::ZeroTangents(Points{{{0, 0}, {100, 50}, {200, 0}, {200, 0}}}),
            std::vector<double>{1});
  // B'/3 = (3t - 1) (200, 200t): a cusp at t = 1/3, y' having a second root at 0.
  EXPECT_EQ(geometry::ZeroTangents(Points{{{0, 0}, {-200, 0}, {-100, -100}, {300, 300}}}),
            std::vector<double>{1.0 / 3});
  // On a line with x'/3 = 100 (6t^2 - 6t + 1): the irrational roots 1/2 -+ sqrt(3)/6.
  const std::vector<double> irrational =
      geometry::ZeroTangents(Points{{{0, 0}, {100, 0}, {-100, 0}, {0, 0}}});
  ASSERT_EQ(irrational.size(), 2u);
  EXPECT_DOUBLE_EQ(irrational[0], 0.5 - std::sqrt(3.0) / 6);
  EXPECT_DOUBLE_EQ(irrational[1], 0.5 + std::sqrt(3.0) / 6);
  // Nearly a cusp, but B'(1/2) = (0, 3) / 4: none.
  EXPECT_TRUE(geometry::ZeroTangents(Points{{{0, 0}, {300, 300}, {0, 301}, {300, 0}}}).empty());

  constexpr Points same{{{-5, 9}, {-5, 9}, {-5, 9}, {-5, 9}}};
  const geometry::Analysis a = geometry::Analyse(same, {}, std::nullopt, 30);
  EXPECT_TRUE(a.degenerate);
  EXPECT_TRUE(a.zeroTangent.empty());
}

TEST(Analyse, NeverThrowsOnExtremeInput) {
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  const Points inputs[] = {
      {{{lo, lo}, {hi, hi}, {lo, hi}, {hi, lo}}}, {{{hi, hi}, {lo, lo}, {hi, hi}, {lo, lo}}},
      {{{lo, 0}, {hi, 0}, {lo, 0}, {hi, 0}}},     {{{0, 0}, {0, 0}, {0, 0}, {hi, lo}}},
      {{{lo, lo}, {lo, lo}, {lo, lo}, {lo, lo}}}, {{{0, 0}, {1, 1}, {0, 1}, {1, 0}}},
      {{{0, 0}, {hi, hi}, {0, hi}, {hi, 0}}},
  };
  const float dists[] = {30, 0, -1e6f, 3e38f, std::numeric_limits<float>::quiet_NaN(), INFINITY};
  const geometry::ComputedLength lengths[] = {{10, 1},  {0, 1},     {-3, 0},
                                              {NAN, 1}, {1e300, 1}, {100, INFINITY}};
  for (const Points& P : inputs) {
    for (const Points& Q : inputs) {
      for (float dist : dists) {
        geometry::Analysis a;
        ASSERT_NO_THROW(a = geometry::Analyse(P, lengths, Q, dist));
        EXPECT_TRUE(std::isfinite(a.referenceLength) && a.referenceLength >= 0);
        EXPECT_EQ(a.sums.size(), 2u);  // n = 10 and n = -3; the rest cannot be counted
        if (a.approximateDeviation) {
          EXPECT_TRUE(std::isfinite(a.approximateDeviation->max));
          EXPECT_GE(a.approximateDeviation->u, 0);
          EXPECT_LE(a.approximateDeviation->u, 1);
        }
      }
    }
  }
}

// Each figure says whether it met its stated accuracy, in the states that
// reach the bounds of its method.
TEST(Analyse, FiguresThatFallShortSaySo) {
  const auto analyse = [](const Points& P, float dist) {
    return geometry::Analyse(P, {}, geometry::ApproximateOffsetPoints(P, dist), dist);
  };
  const geometry::Analysis start = analyse(kDefault, 30);
  EXPECT_TRUE(start.converged.referenceLength && start.converged.approximateDeviation &&
              start.converged.zeroTangent);
  EXPECT_TRUE(start.approximateDeviation->converged);
  EXPECT_TRUE(analyse(kCusp, 30).converged.approximateDeviation);

  // A near-cusp: B'(1/2) = (0, 3)/4 against |B'| up to 900. The offset curve sweeps
  // a half circle within less than Brent's resolution in t.
  const geometry::Analysis nearCusp = analyse(Points{{{0, 0}, {300, 300}, {0, 301}, {300, 0}}}, 30);
  EXPECT_TRUE(nearCusp.converged.referenceLength);
  EXPECT_FALSE(nearCusp.converged.approximateDeviation);
  EXPECT_FALSE(nearCusp.approximateDeviation->converged);
  // A small loop offset by about the radius of its curvature: from points of the
  // yellow curve the offset curve runs at a nearly constant distance, in more
  // basins than the search takes.
  EXPECT_FALSE(analyse(Points{{{166, 184}, {44, 44}, {13, 22}, {210, 227}}}, 28)
                   .converged.approximateDeviation);
  // The start state scaled by 100 and by 200: legs of 10^4 px keep the bound at a
  // kink of h under 0.01 px, legs of 2 10^4 px do not.
  EXPECT_TRUE(analyse(Points{{{5000, 5000}, {15000, 5000}, {15000, 15000}, {5000, 15000}}}, 30)
                  .converged.approximateDeviation);
  EXPECT_FALSE(analyse(Points{{{5000, 5000}, {25000, 5000}, {25000, 25000}, {5000, 25000}}}, 30)
                   .converged.approximateDeviation);

  // A near-cusp whose integration needs all twelve halvings: the error estimate,
  // taken at the scale of each subinterval, still meets 1e-12.
  constexpr Points deep{{{0, 0}, {-61440, 61440}, {-98305, 55296}, {-98304, 55296}}};
  bool converged = false;
  geometry::ReferenceLength(deep, &converged);
  EXPECT_TRUE(converged);
  // Nothing asked, nothing short: no yellow curve, or four equal points.
  EXPECT_TRUE(geometry::Analyse(kCusp, {}, std::nullopt, 30).converged.approximateDeviation);
  constexpr Points same{{{3, 3}, {3, 3}, {3, 3}, {3, 3}}};
  const geometry::Analysis d = geometry::Analyse(same, {}, same, 30);
  EXPECT_TRUE(d.converged.referenceLength && d.converged.approximateDeviation);
}

// What a library raises leaves the public functions as the program's own error.
TEST(Analyse, LibraryErrorsBecomeTheProgramsOwn) {
  using geometry::ErrorKind;
  using geometry::detail::WithOwnErrors;
  EXPECT_EQ(KindOf([] { WithOwnErrors([]() -> int { throw std::domain_error("d"); }); }),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([] { WithOwnErrors([]() -> int { throw std::runtime_error("r"); }); }),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(KindOf([] { WithOwnErrors([]() -> int { throw std::overflow_error("o"); }); }),
            ErrorKind::Overflow);
  EXPECT_EQ(KindOf([] {
              WithOwnErrors([]() -> int { throw geometry::Error(ErrorKind::DivisionByZero); });
            }),
            ErrorKind::DivisionByZero);
  EXPECT_THROW(WithOwnErrors([]() -> int { throw std::bad_alloc(); }), std::bad_alloc);
  EXPECT_EQ(WithOwnErrors([] { return 7; }), 7);
}

}  // namespace
