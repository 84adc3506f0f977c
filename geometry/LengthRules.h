#pragma once

// The curve length by better rules from the same evaluations of the speed
// s(t) = |B'(t)|: the window's left sum, the same sum with its end
// correction, and the trapezoid, Simpson and Gauss-Legendre rules in double
// precision, each at the convergence table's division counts and each against
// the reference length with its own cost. Methods and accuracy are described
// in LengthRules.cpp. No Qt.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Analysis.h"
#include "Arithmetic.h"
#include "IntPoint.h"

namespace geometry {

enum class LengthRule { kLeft, kCorrected, kTrapezoid, kSimpson, kGauss };

// Every rule, in the order the table lists them.
inline constexpr std::array<LengthRule, 5> kLengthRules{LengthRule::kLeft, LengthRule::kCorrected,
                                                        LengthRule::kTrapezoid,
                                                        LengthRule::kSimpson, LengthRule::kGauss};

// "left", "corrected", "trapezoid", "simpson", "gauss": the same in every language.
const char* LengthRuleName(LengthRule rule);

// The most nodes one Gauss-Legendre rule takes; more evaluations go to
// composite rules over equal pieces of this many nodes each.
inline constexpr int kGaussNodes = 20;

// One rule at one division count n of the ladder.
struct LengthRuleRow {
  LengthRule rule = LengthRule::kLeft;
  double divisions = 0;                 // the ladder's n
  std::int64_t evaluations = 0;         // evaluations of the speed the rule takes
  std::int64_t samples = 0;             // parameters the rule samples the speed at
  std::optional<double> length;         // none when the rule failed
  std::optional<double> absoluteError;  // length - reference
  std::optional<double> relativeError;  // (length - reference) / reference; none at 0
  std::optional<ErrorKind> error;       // what abandoned the rule
};

struct LengthRulesTable {
  std::array<IntPoint, 4> P{};
  // The adaptive Gauss-Kronrod reference; value NaN when it could not be had.
  MeasuredLength reference{0, true, 0, 0};
  std::vector<LengthRuleRow> rows;  // rule by rule as kLengthRules, each by ascending n
};

// The Gauss-Legendre nodes and weights of m points (1 to kGaussNodes) on
// [0, 1], nodes ascending; Boost.Math's (GaussTable.h), mapped once per process.
struct GaussRule {
  std::vector<double> nodes;
  std::vector<double> weights;
};
const GaussRule& GaussLegendre(int m);

// The table for the control points P(0)..P(3): 5 rules times the 168 counts
// of ConvergenceDivisions(). Raises Error (subscript out of range) when P has
// fewer than four points; a rule that fails is recorded in its row.
LengthRulesTable LengthRules(std::span<const IntPoint> P);

}  // namespace geometry
