// A finger or a pen on the page's drawing area: the touch reach and its ties,
// a drag that keeps the finger's offset at a fractional scale (ties to even,
// the clamp on the point), taps that pick, place and let go, and a cancel
// that ends a drag as a release does.

#include <gtest/gtest.h>

#include "Page.h"
#include "Pointer.h"

namespace {

using geometry::IntPoint;

IntPoint At(const web::Page& page, int i) { return page.Current().P[static_cast<std::size_t>(i)]; }
int Grabbed(const web::Page& page) { return page.Last().state.grabIndex; }

TEST(TouchReach, NearestPointWithinReachAndTheHighestIndexOnTies) {
  const auto& P = scene::kStartPoints;                  // (50,50) (150,50) (150,150) (50,150)
  EXPECT_EQ(scene::NearestWithin(P, 100, 50, 50), 1);   // P(0) and P(1) at 50: the higher
  EXPECT_EQ(scene::NearestWithin(P, 100, 100, 80), 3);  // all four at the same distance
  EXPECT_EQ(scene::NearestWithin(P, 140, 60, 80), 1);   // the nearest before a higher index
  EXPECT_EQ(scene::NearestWithin(P, 100, 50, 49.9), -1);
  EXPECT_EQ(scene::NearestWithin(P, 10, 230, 24), -1);
}

TEST(TouchDrag, KeepsTheFingersOffsetRoundsTiesToEvenAndClampsThePoint) {
  web::Page page;
  // 1.25 area pixels to a CSS pixel; the finger 10 CSS pixels (12.5 area
  // pixels) from P(2), beyond the mouse's reach.
  const double x0 = 157.5, y0 = 160.0;
  page.PointerDown(x0, y0);
  page.PointerUp();
  EXPECT_EQ(Grabbed(page), -1) << "the mouse's reach stays the window's";
  EXPECT_EQ(page.TouchReaches(x0, y0, 1.25), 2);
  ASSERT_TRUE(page.TouchDown(x0, y0, 1.25));
  EXPECT_EQ(At(page, 2), (IntPoint{150, 150})) << "the point does not jump under the finger";
  page.TouchMove(x0 + 2.5, y0 - 7.5);  // P(2) + (2.5, -7.5): both ties round down to even
  EXPECT_EQ(At(page, 2), (IntPoint{152, 142}));
  page.TouchMove(x0 + 7.5, y0 + 2.5);  // (157.5, 152.5): one up, one down
  EXPECT_EQ(At(page, 2), (IntPoint{158, 152}));
  EXPECT_EQ(page.Caption(), scene::PointerCaption(165, 162)) << "the caption follows the finger";
  page.TouchMove(x0 + 110, y0 - 160);  // the point beyond the right and top margins
  EXPECT_EQ(At(page, 2), (IntPoint{scene::kReachHigh, scene::kReachLow}));
  page.TouchUp(x0 + 110, y0 - 160);
  EXPECT_EQ(Grabbed(page), -1);
  EXPECT_FALSE(page.ButtonHeld());
  page.Undo();  // the whole drag is one step
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
}

TEST(TouchTap, PicksPlacesAndLetsGo) {
  web::Page page;
  page.TouchDown(120, 120, 1);  // nothing picked, nothing in reach: a tap moves nothing
  page.TouchUp(120, 120);
  EXPECT_EQ(page.Current().P, scene::kStartPoints);

  page.TouchDown(152, 48, 1);  // a tap on P(1) picks it
  page.TouchUp(152, 48);
  EXPECT_EQ(Grabbed(page), 1);
  EXPECT_FALSE(page.ButtonHeld());
  page.TouchDown(40.4, 230.6, 1);  // a tap elsewhere places it there (whole pixels)
  page.TouchUp(40.4, 230.6);
  EXPECT_EQ(At(page, 1), (IntPoint{40, 231}));
  EXPECT_EQ(Grabbed(page), 1) << "it stays picked for the next tap";
  page.TouchDown(2, 258, 1);  // at the edge: clamped as a drag is
  page.TouchUp(2, 258);
  EXPECT_EQ(At(page, 1), (IntPoint{scene::kReachLow, scene::kReachHigh}));

  page.TouchDown(120, 120, 1);  // a swipe elsewhere is no tap
  page.TouchMove(120, 140);
  page.TouchUp(120, 140);
  EXPECT_EQ(At(page, 1), (IntPoint{scene::kReachLow, scene::kReachHigh}));

  page.TouchDown(6, 254, 1);  // a tap on the picked point lets it go
  page.TouchUp(6, 254);
  EXPECT_EQ(Grabbed(page), -1);
  page.TouchDown(100, 100, 1);  // nothing picked now: a tap elsewhere moves nothing
  page.TouchUp(100, 100);
  EXPECT_EQ(At(page, 1), (IntPoint{scene::kReachLow, scene::kReachHigh}));

  page.Undo();  // each placing tap is one step
  EXPECT_EQ(At(page, 1), (IntPoint{40, 231}));
  page.Undo();
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
}

TEST(TouchCancel, EndsADragAsAReleaseDoesWithOneStep) {
  web::Page page;
  page.TouchDown(45, 155, 1);  // P(3)
  page.TouchMove(65, 135);
  page.TouchMove(75, 125);
  page.TouchCancel();
  EXPECT_EQ(At(page, 3), (IntPoint{80, 120}));
  EXPECT_EQ(Grabbed(page), -1);
  EXPECT_FALSE(page.ButtonHeld());
  page.TouchUp(75, 125);  // what follows a cancel taps nothing
  EXPECT_EQ(At(page, 3), (IntPoint{80, 120}));
  page.Undo();
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
  // A press on a point that a cancel ends before it moves picks nothing.
  page.TouchDown(150, 150, 1);
  page.TouchCancel();
  EXPECT_EQ(Grabbed(page), -1);
}

}  // namespace
