#pragma once

// The window's reach and the pointer's rules on the drawing area, for every
// front end: which point a button-down grabs, where a drag puts it, and when
// a pointer event redraws. Each front end's handlers turn their events into
// these calls in the same order and redraw when a call says so.

#include <array>
#include <cstdint>

#include "Design.h"
#include "IntPoint.h"

namespace scene {

// The drawing area inside Picture1's frame, in pixels on each side.
inline constexpr std::int32_t kAreaSize = Pixels(kPicture1).width - 2 * kPicture1Border;
static_assert(Pixels(kPicture1).height - 2 * kPicture1Border == kAreaSize);

// A dragged point stays this many pixels inside each edge of the area.
inline constexpr std::int32_t kMargin = 5;

// The window's reach: a dragged point's coordinates stay within these on both
// axes, and the scroll bar's range bounds the distance.
inline constexpr int kReachLow = kMargin;
inline constexpr int kReachHigh = kAreaSize - kMargin;
inline constexpr int kDistanceLow = 0;
inline constexpr int kDistanceHigh = 50;

// A press grabs a point less than 4 pixels away: squared distance below 16.
inline constexpr double kGrabSquared = 16.0;

// A finger or a pen reaches farther than the mouse: a press grabs the point
// nearest to it within this many CSS pixels of the page. A touch that stays
// within the tap's slop of where it began, and moves no point, is a tap.
inline constexpr double kTouchReachCss = 24.0;
inline constexpr double kTapSlopCss = 8.0;

// The index of the point nearest to (x, y) no farther than `reach` pixels,
// the highest index of those at equal distance; -1 when none is in reach.
int NearestWithin(const std::array<geometry::IntPoint, 4>& P, double x, double y, double reach);

// Button-down at (x, y): every point within grabbing distance is tested in
// turn, so the highest index wins; with none in reach grabIndex stays. The
// handler redraws in every case. Throws geometry::Error for a position too
// far off; grabIndex then keeps what the points before had set.
void ButtonDown(const std::array<geometry::IntPoint, 4>& P, std::int32_t& grabIndex, float x,
                float y);

// The pointer's whole-pixel position (ties to even), x first. Throws for a
// position beyond 32 bits.
geometry::IntPoint PointerPixel(float x, float y);

// Moves the grabbed point to the whole-pixel position `at`, held kMargin
// inside each edge of an area of `width` x `height` pixels. Only for a
// grabbed point (grabIndex >= 0); the handler redraws after it. Throws
// subscript out of range for a grabIndex beyond P(3), and then moves nothing.
void MoveGrabbed(std::array<geometry::IntPoint, 4>& P, std::int32_t grabIndex,
                 geometry::IntPoint at, float width = kAreaSize, float height = kAreaSize);

// Button-up: lets the grabbed point go. Returns whether one was grabbed; only
// then does the handler redraw.
bool ButtonUp(std::int32_t& grabIndex);

}  // namespace scene
