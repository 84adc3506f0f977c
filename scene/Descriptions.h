#pragma once

// What the window shows, told in words for a screen reader: the drawing area
// as a whole, the grabbed point with the sides that meet there, and each box's
// figures. Built from a redraw's result (and, for the sums and the yellow
// curve's deviation, its analysis) only when asked, so a redraw costs nothing
// more. One fact per line; lines are joined with "\n".

#include <string>

#include "Analysis.h"
#include "Scene.h"

namespace scene {

// The grabbed point (GrabbedPointLine), the four control points, and whether each offset curve
// is drawn, where the blue one stops and why, why the yellow one is missing.
std::string PictureDescription(const Result& result);

// The grabbed point and the chords that meet at it, for example
// "つかんでいる点 P(1) = ( 155 , 50 )、d(P(0),P(1)) = 105、d(P(1),P(2)) = 101";
// the line that says no point is grabbed when none is.
std::string GrabbedPointLine(const Result& result);

// Check1(i): the true length and that sum's error with its sample count (the
// report's tool-tip figures), or why the sum is not listed.
std::string SumDescription(const Result& result, const geometry::Analysis& analysis, int i);

// Check2(0): the yellow curve's largest deviation, or why it is not drawn.
std::string ApproximateDescription(const Result& result, const geometry::Analysis& analysis);

// Check2(1): whether the blue curve is drawn whole, or where it stops and why.
std::string AccurateDescription(const Result& result);

}  // namespace scene
