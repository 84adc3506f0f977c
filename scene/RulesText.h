#pragma once

// The table of the length rules as text for a learner: a line with the
// reference length, its evaluations of the speed and its error estimate, a
// line of headings, then one line per row (rule, n, evaluations, samples,
// length, error, relative error). The headings follow the language; the rule
// names and every figure are the same in all. Each line ends in "\r\n". No Qt.

#include <string>

#include "LengthRules.h"

namespace scene {

std::string RulesText(const geometry::LengthRulesTable& table);

}  // namespace scene
