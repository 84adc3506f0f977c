#pragma once

// The report shown in Label1, as the pieces the redraw appends at its steps,
// and the state the window takes when it loads. Every line ends in "\r\n".

#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>

#include "IntPoint.h"

namespace scene {

// Start state: no point grabbed, and the default control points.
inline constexpr std::int32_t kStartGrabIndex = -1;
inline constexpr std::array<geometry::IntPoint, 4> kStartPoints{
    {{50, 50}, {150, 50}, {150, 150}, {50, 150}}};

// "P(i) = ( x , y )\r\n"
std::string ControlPointLine(int i, geometry::IntPoint p);

// The empty line between the groups.
inline constexpr const char* kEmptyLine = "\r\n";

// Length of the side from P(i-1) to P(i), with checked integer differences.
double ChordLength(std::span<const geometry::IntPoint> P, int i);

// "d(P(i-1),P(i)) = <d rounded>\r\n"
std::string ChordLine(int i, double d);

// "Total Length = <total rounded>\r\n\r\n": the total is rounded once.
std::string TotalLine(double total);

// Division count selected by Check1(i), from geometry::kDivisionCounts.
double DivisionCount(int i);

// "Length(<n>分割) = <v>\r\n" with v = round(L·10000)/10000 in the general format.
std::string CurveLengthLine(double n, double length);

// A double written in the general format: 15 significant digits, trailing
// zeros removed, no exponent, no decimal point when whole.
std::string FormatGeneral(double v);

// `v` as printf's "%.*f" (fixed) or "%.*e" (scientific) with `precision`
// writes it in the C locale: a decimal point whatever the user's locale.
std::string FormatDouble(double v, std::chars_format format, int precision);

}  // namespace scene
