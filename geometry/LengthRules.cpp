// The curve length by five rules over the speed s(t) = |B'(t)|, each at the
// division counts n of the convergence table (ConvergenceDivisions), against
// the adaptive Gauss-Kronrod reference (ReferenceLength.cpp, 1e-12):
//
// - left: the window's sum, Vendrel::CurveLength, with its single-precision
//   coefficients and accumulated parameter (the convergence table's rows);
// - corrected: that sum plus the end correction (s(1) - s(0)) / (2n), s taken
//   from the same single-precision coefficients; where the sum takes its n
//   samples this is the trapezoid rule on them;
// - trapezoid and simpson (at n, or the next even count): composite rules in
//   double precision from the exact integer coefficients of B', at t = k/n;
//   their errors fall as n^-2 and n^-4 on a smooth curve;
// - gauss: Gauss-Legendre with n nodes up to kGaussNodes, beyond that composite
//   over ceil(n / kGaussNodes) equal pieces of kGaussNodes nodes (nodes and
//   weights Boost.Math's, GaussTable.cpp); its error falls geometrically with the nodes
//   until a zero of B' near [0, 1] in the complex plane slows every rule.
//
// The double-precision rules take each node's parameter from an integer
// counter times 1/n, so no rounding accumulates along the curve, and add
// their terms in blocks of kBlock, so the rounding of a sum of 100,001 terms
// stays a few units of 1e-16 of the length. Against a long-double computation
// with nodes from Newton's method on the Legendre polynomials they agree to
// 1e-13 relative on seeded random curves (see the tests). Nothing here can
// overflow for 32-bit points: the speed stays below 2^38.

#include "LengthRules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "AnalysisDetail.h"
#include "Convergence.h"
#include "GaussTable.h"
#include "Vendrel.h"

namespace geometry {

namespace {

// Terms per partial sum: long enough to cost nothing, short enough that
// neither the partial sums nor their total lose more than a few roundings.
constexpr std::int64_t kBlock = 128;

// s(t) = |B'(t)| in double precision from the exact coefficients of
// B'(t) = 3a t^2 + 2b t + c.
struct Speed {
  double ax, bx, cx, ay, by, cy;

  static Speed Of(std::span<const IntPoint> P) {
    const detail::Cubic B = detail::Cubic::Of(P);
    return {3 * B.ax, 2 * B.bx, B.cx, 3 * B.ay, 2 * B.by, B.cy};
  }

  double operator()(double t) const {
    return detail::Norm((ax * t + bx) * t + cx, (ay * t + by) * t + cy);
  }
};

// The sum of term(k) for k in [first, last), in blocks of kBlock terms, each
// block in four interleaved partial sums (independent additions, which the
// processor overlaps).
template <class Term>
double BlockSum(std::int64_t first, std::int64_t last, const Term& term) {
  double total = 0;
  for (std::int64_t block = first; block < last; block += kBlock) {
    const std::int64_t end = std::min(last, block + kBlock);
    std::array<double, 4> partial{};
    std::int64_t k = block;
    for (; k + 4 <= end; k += 4) {
      partial[0] += term(k);
      partial[1] += term(k + 1);
      partial[2] += term(k + 2);
      partial[3] += term(k + 3);
    }
    for (; k < end; ++k) partial[0] += term(k);
    total += (partial[0] + partial[1]) + (partial[2] + partial[3]);
  }
  return total;
}

double Trapezoid(const Speed& s, std::int64_t n) {
  const double N = static_cast<double>(n);
  const double h = 1 / N;
  const double inner =
      BlockSum(1, n, [&](std::int64_t k) { return s(static_cast<double>(k) * h); });
  return ((s(0) + s(1)) / 2 + inner) / N;
}

// n even.
double Simpson(const Speed& s, std::int64_t n) {
  const double N = static_cast<double>(n);
  const double h = 1 / N;
  const double inner = BlockSum(1, n, [&](std::int64_t k) {
    return static_cast<double>(2 + 2 * (k & 1)) * s(static_cast<double>(k) * h);
  });
  return (s(0) + s(1) + inner) / (3 * N);
}

// The rule of `nodes` nodes on each of `pieces` equal pieces.
double Gauss(const Speed& s, int nodes, std::int64_t pieces) {
  const GaussRule& rule = GaussLegendre(nodes);
  const double K = static_cast<double>(pieces);
  const double h = 1 / K;
  const double total = BlockSum(0, pieces, [&](std::int64_t j) {
    const double start = static_cast<double>(j);
    double piece = 0;
    for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
      piece += rule.weights[i] * s((start + rule.nodes[i]) * h);
    }
    return piece;
  });
  return total / K;
}

// Boost's rule of `nodes` nodes (GaussTable.cpp), on [0, 1] with both halves.
GaussRule BoostRule(int nodes) {
  std::vector<std::pair<double, double>> pairs;
  for (const detail::GaussNode& node : detail::BoostGaussRule(nodes)) {
    pairs.emplace_back((1 + node.abscissa) / 2, node.weight / 2);
    if (node.abscissa != 0) pairs.emplace_back((1 - node.abscissa) / 2, node.weight / 2);
  }
  std::sort(pairs.begin(), pairs.end());
  GaussRule rule;
  for (const auto& [node, weight] : pairs) {
    rule.nodes.push_back(node);
    rule.weights.push_back(weight);
  }
  return rule;
}

void SetErrors(LengthRuleRow& row, double reference) {
  if (!row.length || !std::isfinite(reference)) return;
  row.absoluteError = *row.length - reference;
  if (reference != 0) row.relativeError = *row.absoluteError / reference;
}

// The speed at 0 and 1 from the window's single-precision f, 0 where f < 0
// (where the sum adds nothing).
struct EndSpeeds {
  double s0;
  double s1;
};

EndSpeeds EndSpeedsOf(const std::array<float, 5>& C) {
  const auto root = [](double f) { return f >= 0 ? std::sqrt(f) : 0.0; };
  const double f1 = ((static_cast<double>(C[0]) + C[1]) + C[2]) + C[3] + C[4];
  return {root(C[4]), root(f1)};
}

}  // namespace

const char* LengthRuleName(LengthRule rule) {
  switch (rule) {
    case LengthRule::kLeft:
      return "left";
    case LengthRule::kCorrected:
      return "corrected";
    case LengthRule::kTrapezoid:
      return "trapezoid";
    case LengthRule::kSimpson:
      return "simpson";
    case LengthRule::kGauss:
      return "gauss";
  }
  return "left";
}

const GaussRule& GaussLegendre(int m) {
  if (m < 1 || m > kGaussNodes) throw Error(ErrorKind::SubscriptOutOfRange);
  static const std::vector<GaussRule> rules = [] {
    std::vector<GaussRule> all;
    for (int nodes = 1; nodes <= kGaussNodes; ++nodes) all.push_back(BoostRule(nodes));
    return all;
  }();
  return rules[static_cast<std::size_t>(m - 1)];
}

LengthRulesTable LengthRules(std::span<const IntPoint> P) {
  const ConvergenceTable convergence = Convergence(P);
  LengthRulesTable table;
  table.P = convergence.P;
  table.reference = {convergence.referenceLength, convergence.referenceConverged,
                     convergence.referenceEvaluations, convergence.referenceEstimate};
  const double r = convergence.referenceLength;
  const std::size_t count = convergence.rows.size();
  table.rows.reserve(count * kLengthRules.size());

  for (const ConvergenceRow& sum : convergence.rows) {
    LengthRuleRow row{LengthRule::kLeft, sum.divisions,     sum.samples,       sum.samples,
                      sum.length,        sum.absoluteError, sum.relativeError, sum.error};
    table.rows.push_back(row);
  }

  std::optional<EndSpeeds> ends;
  std::optional<ErrorKind> coefficientsError;
  try {
    ends = EndSpeedsOf(Vendrel::SpeedSquaredCoefficients(P));
  } catch (const Error& e) {
    coefficientsError = e.kind();
  }
  for (const ConvergenceRow& sum : convergence.rows) {
    LengthRuleRow row;
    row.rule = LengthRule::kCorrected;
    row.divisions = sum.divisions;
    row.evaluations = sum.samples + 1;  // s(0) is the sum's first sample
    row.samples = sum.samples;
    row.error = sum.error ? sum.error : coefficientsError;
    if (!row.error && sum.length) {
      row.length = *sum.length + (ends->s1 - ends->s0) / (2 * sum.divisions);
    }
    SetErrors(row, r);
    table.rows.push_back(row);
  }

  const Speed s = Speed::Of(P);
  for (LengthRule rule : {LengthRule::kTrapezoid, LengthRule::kSimpson, LengthRule::kGauss}) {
    for (const ConvergenceRow& sum : convergence.rows) {
      const auto n = static_cast<std::int64_t>(sum.divisions);
      LengthRuleRow row;
      row.rule = rule;
      row.divisions = sum.divisions;
      if (rule == LengthRule::kTrapezoid) {
        row.length = Trapezoid(s, n);
        row.evaluations = n + 1;
      } else if (rule == LengthRule::kSimpson) {
        const std::int64_t even = n + (n & 1);
        row.length = Simpson(s, even);
        row.evaluations = even + 1;
      } else if (n <= kGaussNodes) {
        row.length = Gauss(s, static_cast<int>(n), 1);
        row.evaluations = n;
      } else {
        const std::int64_t pieces = (n + kGaussNodes - 1) / kGaussNodes;
        row.length = Gauss(s, kGaussNodes, pieces);
        row.evaluations = pieces * kGaussNodes;
      }
      row.samples = row.evaluations;
      SetErrors(row, r);
      table.rows.push_back(row);
    }
  }
  return table;
}

}  // namespace geometry
