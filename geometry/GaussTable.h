#pragma once

// Boost.Math's Gauss-Legendre rules, written out (GaussTable.cpp).

#include <span>

#include "LengthRules.h"

namespace geometry::detail {

struct GaussNode {
  double abscissa;  // x >= 0 on [-1, 1]; -x is a node as well when x > 0
  double weight;
};

// The nodes x >= 0 of the rule of `nodes` nodes (1 to kGaussNodes), ascending,
// as boost::math::quadrature::gauss<double, nodes>::abscissa() and weights()
// give them; subscript out of range otherwise.
std::span<const GaussNode> BoostGaussRule(int nodes);

}  // namespace geometry::detail
