// The offset study against independent computations: the factor 1 + d·κ(t)
// straight from the control points in long double (never the study's own
// factorisation), a dense scan of it, and the tip's deviation.
// BEZIERLAB_STUDY_STATES sets the number of random states (default 200; the
// sanitized run takes a fifth).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <random>

#include "Analysis.h"
#include "OffsetCurves.h"
#include "OffsetStudy.h"

namespace {

using geometry::IntPoint;
using Points = std::array<IntPoint, 4>;

long States() {
  const char* v = std::getenv("BEZIERLAB_STUDY_STATES");
  return v != nullptr ? std::max(1L, std::atol(v)) : 200;
}

// 1 + d (B' × B'') / |B'|³ in long double from the Bernstein form of B' and B''.
long double Factor(const Points& P, long double d, long double t) {
  const long double s = 1 - t;
  const auto c = [&](int IntPoint::*m, int i) { return static_cast<long double>(P[i].*m); };
  const auto d1 = [&](int IntPoint::*m) {
    return 3 * (s * s * (c(m, 1) - c(m, 0)) + 2 * s * t * (c(m, 2) - c(m, 1)) +
                t * t * (c(m, 3) - c(m, 2)));
  };
  const auto d2 = [&](int IntPoint::*m) {
    return 6 * (s * (c(m, 2) - 2 * c(m, 1) + c(m, 0)) + t * (c(m, 3) - 2 * c(m, 2) + c(m, 1)));
  };
  const long double x1 = d1(&IntPoint::x), y1 = d1(&IntPoint::y);
  const long double x2 = d2(&IntPoint::x), y2 = d2(&IntPoint::y);
  const long double n = std::sqrt(x1 * x1 + y1 * y1);
  return 1 + d * (x1 * y2 - y1 * x2) / (n * n * n);
}

Points RandomState(std::mt19937& rng) {
  std::uniform_int_distribution<int> coordinate(5, 255);
  Points P;
  for (IntPoint& p : P) p = {coordinate(rng), coordinate(rng)};
  return P;
}

bool Negative(long double v) { return v < 0; }

TEST(OffsetStudy, CuspsAreExactlyTheSignChangesOfTheFactor) {
  constexpr int kScan = 100000;
  std::mt19937 rng(26);
  const long states = States();
  int cusps = 0;
  for (const float d : {17.0F, 50.0F, -35.0F}) {
    for (long n = 0; n < states; ++n) {
      const Points P = RandomState(rng);
      const geometry::OffsetStudy study = geometry::StudyOffset(P, d);
      SCOPED_TRACE(::testing::Message()
                   << "d " << d << " P " << P[0].x << "," << P[0].y << " " << P[1].x << ","
                   << P[1].y << " " << P[2].x << "," << P[2].y << " " << P[3].x << "," << P[3].y);
      for (const geometry::OffsetCusp& c : study.cusps) {
        const long double lo = std::max(0.0L, c.t - 1e-9L), hi = std::min(1.0L, c.t + 1e-9L);
        EXPECT_NE(Negative(Factor(P, d, lo)), Negative(Factor(P, d, hi))) << "cusp at " << c.t;
      }
      cusps += static_cast<int>(study.cusps.size());
      // Every sign change of a dense scan lies next to a reported cusp.
      long double previous = Factor(P, d, 0);
      long double previousT = 0;
      for (int i = 1; i <= kScan; ++i) {
        const long double t = static_cast<long double>(i) / kScan;
        const long double v = Factor(P, d, t);
        if (!std::isfinite(v)) continue;
        if (std::isfinite(previous) && Negative(v) != Negative(previous)) {
          const bool found = std::any_of(study.cusps.begin(), study.cusps.end(), [&](auto& c) {
            return c.t >= previousT - 1e-9L && c.t <= t + 1e-9L;
          });
          EXPECT_TRUE(found) << "sign change between " << previousT << " and " << t;
        }
        previous = v;
        previousT = t;
      }
      // The negative ranges: the factor is negative inside each, and
      // nonnegative between them.
      for (const geometry::ParameterRange& r : study.negative) {
        EXPECT_LT(Factor(P, d, 0.5L * (r.from + r.to)), 0) << r.from << ".." << r.to;
      }
    }
  }
  EXPECT_GT(cusps, states / 4);  // the draw reaches states with cusps
}

TEST(OffsetStudy, SymmetricStraightAndTightCurves) {
  // Mirror-symmetric in y = 100 with t -> 1 - t: two cusps, mirrored.
  const geometry::OffsetStudy two =
      geometry::StudyOffset(Points{{{50, 150}, {150, 150}, {150, 50}, {50, 50}}}, 50);
  ASSERT_EQ(two.cusps.size(), 2U);
  EXPECT_NEAR(two.cusps[0].t, 0.303340053, 1e-9);
  EXPECT_NEAR(two.cusps[1].t, 0.696659947, 1e-9);
  EXPECT_NEAR(two.cusps[0].t + two.cusps[1].t, 1, 1e-12);
  EXPECT_NEAR(two.cusps[0].x, two.cusps[1].x, 1e-9);
  EXPECT_NEAR(two.cusps[0].y + two.cusps[1].y, 200, 1e-9);
  ASSERT_EQ(two.negative.size(), 1U);
  EXPECT_EQ(two.negative[0].from, two.cusps[0].t);
  EXPECT_EQ(two.negative[0].to, two.cusps[1].t);

  // Straight, and nearly straight: no cusp, nothing negative.
  for (const Points& P : {Points{{{10, 10}, {60, 60}, {120, 120}, {200, 200}}},
                          Points{{{10, 10}, {60, 61}, {120, 120}, {200, 200}}}}) {
    const geometry::OffsetStudy s = geometry::StudyOffset(P, -50);
    EXPECT_TRUE(s.cusps.empty());
    EXPECT_TRUE(s.negative.empty());
  }
  // A bend much tighter than the distance on its inner side: negative over
  // all of [0, 1] without a cusp; on the outer side, nowhere.
  const Points tight{{{100, 100}, {105, 100}, {105, 105}, {100, 105}}};
  const geometry::OffsetStudy inner = geometry::StudyOffset(tight, -50);
  EXPECT_TRUE(inner.cusps.empty());
  ASSERT_EQ(inner.negative.size(), 1U);
  EXPECT_EQ(inner.negative[0].from, 0);
  EXPECT_EQ(inner.negative[0].to, 1);
  EXPECT_TRUE(geometry::StudyOffset(tight, 50).negative.empty());

  // A zero tangent (a cusp of B itself) is listed and never taken for a cusp
  // of the offset: on the side where the curve bends in, the factor runs to
  // minus infinity there, between two true cusps; on the other, no cusp. Every
  // even split has a piece that ends at it, so no row can be built.
  const Points kinked{{{50, 200}, {150, 50}, {50, 50}, {150, 200}}};
  const geometry::OffsetStudy in = geometry::StudyOffset(kinked, 30);
  EXPECT_EQ(in.zeroTangents, std::vector<double>{0.5});
  ASSERT_EQ(in.cusps.size(), 2U);
  EXPECT_LT(in.cusps[0].t, 0.5 - 1e-3);
  EXPECT_GT(in.cusps[1].t, 0.5 + 1e-3);
  ASSERT_EQ(in.negative.size(), 1U);
  EXPECT_LT(in.negative[0].from, 0.5);
  EXPECT_GT(in.negative[0].to, 0.5);
  EXPECT_TRUE(in.splitting.at(0).deviation);
  EXPECT_FALSE(in.splitting.at(1).deviation);
  EXPECT_FALSE(in.fewest[0]);
  EXPECT_TRUE(geometry::StudyOffset(kinked, -30).cusps.empty());
}

// One yellow end curvature as the window stores it: 2 X / (3 |leg|³) in single precision.
float EndCurvature(IntPoint a, IntPoint b, IntPoint c) {
  const double lx = b.x - a.x, ly = b.y - a.y;
  const double cross = lx * (c.y - b.y) - ly * (c.x - b.x);
  const double s = lx * lx + ly * ly;
  return static_cast<float>(2 * cross / (3 * s * std::sqrt(s)));
}

TEST(OffsetStudy, AsDrawnIsTheTipAndTheUnroundedRowIsWithinRounding) {
  std::mt19937 rng(24);
  for (long n = 0; n < std::max(1L, States() / 4); ++n) {
    const Points P = RandomState(rng);
    const float d = static_cast<float>(std::uniform_int_distribution<int>(-50, 50)(rng));
    const geometry::OffsetStudy study = geometry::StudyOffset(P, d);
    SCOPED_TRACE(::testing::Message() << "state " << n << " d " << d);
    ASSERT_TRUE(study.drawn);
    const std::optional<geometry::Deviation> tip =
        geometry::ApproximateDeviation(P, *study.drawn, d);
    ASSERT_TRUE(tip && study.asDrawn);
    EXPECT_EQ(study.asDrawn->max, tip->max);
    EXPECT_EQ(study.asDrawn->u, tip->u);
    ASSERT_EQ(study.h.size(), 201U);
    EXPECT_LE(*std::max_element(study.h.begin(), study.h.end()), tip->max);
    // Rounding moves each control point by at most sqrt(2)/2, and the single
    // precision of κ0 and κ3 moves the handles by |d κ leg| 2^-24; the measure
    // is good to 0.01 px in each row.
    const geometry::SplitRow& k1 = study.splitting.at(0);
    ASSERT_TRUE(k1.deviation);
    EXPECT_NEAR(*k1.deviation, tip->max, std::sqrt(0.5) + 0.02 + 1e-3);
    // h(u) along 2, 4 and 8 pieces: at its 201 u never above its row's
    // largest deviation, which the search found over the same pieces, and
    // each piece at its own parameter.
    for (std::size_t i = 0; i < geometry::kStudyPlotPieces.size(); ++i) {
      const int k = geometry::kStudyPlotPieces[i];
      const auto row = std::find_if(study.splitting.begin(), study.splitting.end(),
                                    [k](const geometry::SplitRow& r) { return r.pieces == k; });
      ASSERT_NE(row, study.splitting.end());
      const std::vector<double>& h = study.pieceH[i];
      ASSERT_EQ(h.empty(), !row->deviation) << k;
      if (h.empty()) continue;
      ASSERT_EQ(h.size(), 201U);
      EXPECT_LE(*std::max_element(h.begin(), h.end()), *row->deviation) << k;
      // Where two pieces meet, u = j/k, both end on the true offset curve.
      for (int j = 0; j <= k; ++j) EXPECT_LE(h[static_cast<std::size_t>(200 * j / k)], 0.01) << k;
    }
    // The factor at the ends is the yellow curve's f0 and f3.
    const float k0 = EndCurvature(P[0], P[1], P[2]);
    const float k3 = -EndCurvature(P[3], P[2], P[1]);
    EXPECT_NEAR(study.factor.front(), k0 * d + 1.0, std::abs(k0 * d) * 0x1p-23 + 1e-12);
    EXPECT_NEAR(study.factor.back(), k3 * d + 1.0, std::abs(k3 * d) * 0x1p-23 + 1e-12);
  }
}

// The speed |B'| from the Bernstein form of B', in long double.
long double Speed(const Points& P, long double t) {
  const long double s = 1 - t;
  const auto d1 = [&](int IntPoint::*m) {
    return 3 * (s * s * (P[1].*m - P[0].*m) + 2 * s * t * (P[2].*m - P[1].*m) +
                t * t * (P[3].*m - P[2].*m));
  };
  return std::hypot(d1(&IntPoint::x), d1(&IntPoint::y));
}

// Smooth: the factor at least 0.1 everywhere (no cusp, no zero tangent, no
// tight bend) and the speed nowhere under a fifth of its largest (no near-cusp
// of B, around which equal pieces in t cannot follow the offset's swing).
// Equal pieces need not shrink the error at every doubling before they
// resolve the bends (measured: one doubling in three or so divides it by less
// than 4 on such states); from 8 pieces on they are in that regime, where the
// construction's error falls as the fourth power of the piece: 64 pieces
// bring it under 0.05 px, and at least 64 times under the 8 pieces' row. A
// construction only exact to first or second order fails this.
TEST(OffsetStudy, SplittingConvergesOnSmoothCurves) {
  std::mt19937 rng(64);
  const long wanted = States();
  long tried = 0, checked = 0;
  while (checked < wanted && tried < 100 * wanted) {
    ++tried;
    const Points P = RandomState(rng);
    const float d = static_cast<float>(std::uniform_int_distribution<int>(-50, 50)(rng));
    long double least = 1, slowest = 1e30L, fastest = 0;
    for (int i = 0; i <= 2000; ++i) {
      least = std::min(least, Factor(P, d, i / 2000.0L));
      slowest = std::min(slowest, Speed(P, i / 2000.0L));
      fastest = std::max(fastest, Speed(P, i / 2000.0L));
    }
    if (!(least >= 0.1L) || slowest < fastest / 5) continue;
    const geometry::OffsetStudy study = geometry::StudyOffset(P, d);
    ++checked;
    SCOPED_TRACE(::testing::Message()
                 << "P " << P[0].x << "," << P[0].y << " " << P[1].x << "," << P[1].y << " "
                 << P[2].x << "," << P[2].y << " " << P[3].x << "," << P[3].y << " d " << d);
    ASSERT_EQ(study.splitting.size(), 7U);
    for (const geometry::SplitRow& row : study.splitting) ASSERT_TRUE(row.deviation);
    const double eight = *study.splitting[3].deviation, last = *study.splitting[6].deviation;
    EXPECT_LT(last, 0.05);
    if (eight >= 0.05) {
      EXPECT_GE(eight / last, 64);
    }
  }
  EXPECT_EQ(checked, wanted);
}

}  // namespace
