// The pointer's rules on the drawing area, as every front end applies them.

#include "Pointer.h"

#include <gtest/gtest.h>

#include <array>

#include "ErrorKindOf.h"
#include "Report.h"

namespace {

using geometry::IntPoint;

TEST(Pointer, ButtonDownGrabsTheLastPointCloserThanFourPixels) {
  const std::array<IntPoint, 4> P{{{50, 50}, {52, 50}, {150, 150}, {50, 53}}};
  std::int32_t grabIndex = -1;
  scene::ButtonDown(P, grabIndex, 50, 50.5f);  // P(0), P(1) and P(3) are in reach
  EXPECT_EQ(grabIndex, 3);
  scene::ButtonDown(P, grabIndex, 154, 150);  // exactly 4 pixels from P(2): out of reach
  EXPECT_EQ(grabIndex, 3);
  grabIndex = 1;
  scene::ButtonDown(P, grabIndex, 200, 20);  // nothing in reach: the grab stays
  EXPECT_EQ(grabIndex, 1);
  scene::ButtonDown(P, grabIndex, 153.9f, 150);
  EXPECT_EQ(grabIndex, 2);
}

TEST(Pointer, ADraggedPointStaysWithinTheWindowsReach) {
  std::array<IntPoint, 4> P = scene::kStartPoints;
  scene::MoveGrabbed(P, 1, {-1000, 1000});
  EXPECT_EQ(P[1].x, scene::kReachLow);
  EXPECT_EQ(P[1].y, scene::kReachHigh);
  EXPECT_EQ(scene::kReachHigh, 255);  // the 260-pixel area less its margin
  scene::MoveGrabbed(P, 2, scene::PointerPixel(100.5f, 101.5f));  // ties to even
  EXPECT_EQ(P[2].x, 100);
  EXPECT_EQ(P[2].y, 102);
  const std::array<IntPoint, 4> before = P;
  EXPECT_EQ(KindOf([&] {
              scene::MoveGrabbed(P, 4, {60, 60});
            }),
            geometry::ErrorKind::SubscriptOutOfRange);
  EXPECT_EQ(P, before);
}

TEST(Pointer, ButtonUpRedrawsOnlyWhenAPointWasHeld) {
  std::int32_t grabIndex = 2;
  EXPECT_TRUE(scene::ButtonUp(grabIndex));
  EXPECT_EQ(grabIndex, -1);
  EXPECT_FALSE(scene::ButtonUp(grabIndex));
}

}  // namespace
