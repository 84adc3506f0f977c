// What the scene routine records beside what it draws: each step's value or
// the error that abandoned it. This target links the scene without Qt.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "RecordingSurface.h"
#include "Scene.h"

namespace {

using geometry::ErrorKind;
using geometry::IntPoint;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

scene::Result DrawWith(std::array<IntPoint, 4> P, std::array<bool, 4> divisions = {}) {
  testing_support::RecordingSurface surface;
  scene::State state;
  state.P = P;
  state.divisions = divisions;
  return scene::Draw(state, surface, scene::Vertices::kKeep);
}

TEST(Scene, DegenerateTangentsAreRecordedWhereTheCurvesStop) {
  // P(1) = P(0): no yellow curve, and the blue one stops at its first sample.
  const scene::Result start = DrawWith({{{50, 50}, {50, 50}, {150, 150}, {50, 150}}});
  ASSERT_TRUE(start.approximate && start.accurate);
  EXPECT_FALSE(start.approximate->Q);
  EXPECT_EQ(start.approximate->error, ErrorKind::InvalidOperation);
  EXPECT_TRUE(start.accurate->vertices.empty());
  EXPECT_EQ(start.accurate->stoppedAt, 0);
  EXPECT_EQ(start.accurate->error, ErrorKind::InvalidOperation);

  // P(3) = P(2): 500 vertices, the last at (71, 171), then it stops at 500.
  const scene::Result end = DrawWith({{{50, 50}, {150, 50}, {50, 150}, {50, 150}}});
  ASSERT_EQ(end.accurate->vertices.size(), 500u);
  EXPECT_EQ(end.accurate->vertices.back().x, 71);
  EXPECT_EQ(end.accurate->vertices.back().y, 171);
  EXPECT_EQ(end.accurate->stoppedAt, 500);

  // The window's redraw counts the vertices without keeping them.
  testing_support::RecordingSurface surface;
  scene::State counted;
  counted.P = {{{50, 50}, {150, 50}, {50, 150}, {50, 150}}};
  const scene::Result window = scene::Draw(counted, surface);
  EXPECT_TRUE(window.accurate->vertices.empty());
  EXPECT_EQ(window.accurate->drawn, 500);
  EXPECT_EQ(window.accurate->stoppedAt, 500);

  // The start state finishes everything.
  const scene::Result ok = DrawWith(scene::kStartPoints);
  ASSERT_TRUE(ok.approximate->Q);
  EXPECT_EQ((*ok.approximate->Q)[1].x, 170);
  EXPECT_EQ(ok.accurate->vertices.size(), 501u);
  EXPECT_FALSE(ok.accurate->stoppedAt);
  EXPECT_FALSE(ok.accurate->error);
}

TEST(Scene, AFailedLineKeepsItsValueAndAFailedValueKeepsNothing) {
  // Side 1 overflows its subtraction: no value, no line, nothing added.
  // Side 2 is about 3.04e9 long: its value is added but its line cannot be
  // written, and neither can the total. Side 3 is written.
  const scene::Result r = DrawWith({{{kMin, 0}, {kMax, 0}, {0, kMax}, {0, kMax - 3}}});
  EXPECT_FALSE(r.chords[0].d);
  EXPECT_EQ(r.chords[0].error, ErrorKind::Overflow);
  ASSERT_TRUE(r.chords[1].d);
  EXPECT_NEAR(*r.chords[1].d, std::hypot(double{kMax}, double{kMax}), 1e-6);
  EXPECT_TRUE(r.chords[1].line.empty());
  EXPECT_EQ(r.chords[1].error, ErrorKind::Overflow);
  EXPECT_EQ(r.chords[2].line, "d(P(2),P(3)) = 3\r\n");
  EXPECT_EQ(r.total, *r.chords[1].d + 3);
  EXPECT_EQ(r.totalError, ErrorKind::Overflow);
  EXPECT_EQ(scene::Report(r), r.pointLines[0] + r.pointLines[1] + r.pointLines[2] +
                                  r.pointLines[3] + "\r\nd(P(2),P(3)) = 3\r\n");
}

TEST(Scene, CurveLengthsRecordTheirValueOrTheirError) {
  // A line 300000 long: the sums are known, but L·10000 lies beyond the
  // 32-bit range, so their lines cannot be written.
  const scene::Result line =
      DrawWith({{{0, 0}, {100000, 0}, {200000, 0}, {300000, 0}}}, {true, false, true, false});
  ASSERT_EQ(line.lengths.size(), 2u);
  EXPECT_EQ(line.lengths[0].divisions, 10);
  EXPECT_EQ(line.lengths[1].divisions, 1000);
  for (const scene::LengthStep& step : line.lengths) {
    ASSERT_TRUE(step.length);
    EXPECT_TRUE(step.line.empty());
    EXPECT_EQ(step.error, ErrorKind::Overflow);
  }
  EXPECT_NEAR(*line.lengths[1].length, 299700, 0.01);

  // 6·P(1).x overflows: the sum itself fails.
  const scene::Result big =
      DrawWith({{{0, 0}, {400000000, 0}, {0, 0}, {0, 0}}}, {false, false, false, true});
  ASSERT_EQ(big.lengths.size(), 1u);
  EXPECT_FALSE(big.lengths[0].length);
  EXPECT_EQ(big.lengths[0].error, ErrorKind::Overflow);
}

TEST(Scene, EachPartOfTheAnalysisIsComputedOnceWhenFirstAskedFor) {
  scene::State state;
  state.divisions = {true, true, true, true};
  testing_support::RecordingSurface surface;
  const scene::Result result = scene::Draw(state, surface);
  scene::LazyAnalysis analysis;
  analysis.Reset(result);
  EXPECT_EQ(analysis.Computed(), 0);

  // The lengths' part knows nothing of the yellow curve, and the other way round.
  const geometry::Analysis& lengths = analysis.Lengths();
  EXPECT_EQ(lengths.referenceLength, 200);
  EXPECT_EQ(lengths.sums.size(), 4u);
  EXPECT_FALSE(lengths.approximateDeviation);
  EXPECT_EQ(&analysis.Lengths(), &lengths);
  EXPECT_EQ(analysis.Computed(), 1);
  const geometry::Analysis& deviation = analysis.Deviation();
  ASSERT_TRUE(deviation.approximateDeviation);
  EXPECT_NEAR(deviation.approximateDeviation->max, 15, 0.01);
  EXPECT_EQ(deviation.referenceLength, 0);
  EXPECT_TRUE(deviation.sums.empty());
  analysis.Deviation();
  EXPECT_EQ(analysis.Computed(), 2);

  // A new result starts afresh.
  analysis.Reset(result);
  analysis.Deviation();
  EXPECT_EQ(analysis.Computed(), 3);
}

}  // namespace
