#pragma once

// The error analysis as text for a learner, in the window's terms: one line
// for the true length, one per listed sum with its error, one for the yellow
// curve's deviation, and one for zero tangents when there are any. Numbers are
// rounded to four decimals like the report's lengths; a true length or a
// deviation that fell short of its stated accuracy ends in "（精度未達）". No line ending is
// attached; callers join the lines as they need (JoinLines).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Analysis.h"

namespace scene {

// For the start state with every sum listed and the yellow curve drawn:
//   真の長さ（参照値） = 200
//   Length(10分割) の誤差 = 1（0.5%、10点）
//   ...
//   近似オフセット曲線（黄）のずれ = 最大 15（u = 0.5）
std::vector<std::string> AnalysisLines(const geometry::Analysis& analysis);

// Its parts: the true length and one line per listed sum (the tool tip of the
// report); the yellow curve's deviation, or that it is not drawn (the tool tip
// of its box); the zero tangents, empty when there are none.
std::vector<std::string> LengthLines(const geometry::Analysis& analysis);
std::string DeviationLine(const geometry::Analysis& analysis);
std::string ZeroTangentLine(const geometry::Analysis& analysis);

// The same two lines from their figures alone (the offset study's too): the
// deviation, marked when `converged` is false; the zero tangents, or that the
// four points coincide.
std::string DeviationLine(const std::optional<geometry::Deviation>& deviation, bool converged);
std::string ZeroTangentLine(const std::vector<double>& zeroTangent, bool degenerate);

// A figure as the analysis writes it: rounded to four decimals, in the
// general format ("不明" when it is not finite).
std::string RoundedFigure(double v);

// The lines joined by `separator` ("\n" for a tool tip, "\r\n" for Windows text).
std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator = "\n");

}  // namespace scene
