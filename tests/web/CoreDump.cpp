// Prints, for a seeded list of random states, everything the core computes for
// them: the report text, every call the scene makes on its drawing surface,
// the analysis figures and, for every hundredth state, the convergence table
// and the better length rules (whose Gauss nodes are written out in geometry).
// Every double is written as a hex float, so two builds that print the same
// text computed the same bits. The differential test runs it natively and as
// WebAssembly under node and compares the outputs.
//
//   core_dump [COUNT [SEED]]     (10000 states, seed 19 by default)

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "Analysis.h"
#include "Convergence.h"
#include "LengthRules.h"
#include "RecordingSurface.h"
#include "Scene.h"

namespace {

void Hex(const char* name, double v) { std::printf(" %s=%a", name, v); }

template <typename T>
void Optional(const char* name, const std::optional<T>& v) {
  if (v) {
    Hex(name, static_cast<double>(*v));
  } else {
    std::printf(" %s=none", name);
  }
}

// A whole number from `low` to `high` from the raw engine output: the
// standard distributions differ between standard libraries, the engine does not.
std::int64_t Between(std::mt19937_64& rng, std::int64_t low, std::int64_t high) {
  const auto span = static_cast<std::uint64_t>(high - low) + 1;
  return low + static_cast<std::int64_t>(rng() % span);
}

// A state: a third in the window's reach, a third in a few thousand pixels
// around it (the yellow and blue curves fail there often), a third anywhere in
// 32 bits (most sums overflow); the distance a whole 0..50, any float in
// ±1e4 in thousandths, or a power of two up to 2^120.
scene::State RandomState(std::mt19937_64& rng, int n) {
  scene::State s;
  const int kind = n % 3;
  const std::int64_t low = kind == 0 ? 5 : kind == 1 ? -3000 : INT32_MIN;
  const std::int64_t high = kind == 0 ? 255 : kind == 1 ? 3000 : INT32_MAX;
  for (auto& p : s.P) {
    p = {static_cast<std::int32_t>(Between(rng, low, high)),
         static_cast<std::int32_t>(Between(rng, low, high))};
  }
  if (n % 17 == 0) s.P[2] = s.P[1];  // a zero leg
  if (n % 29 == 0) s.P = {s.P[0], s.P[0], s.P[0], s.P[0]};
  for (auto& d : s.divisions) d = Between(rng, 0, 1) == 1;
  s.approximate = Between(rng, 0, 1) == 1 || kind == 0;
  s.accurate = Between(rng, 0, 1) == 1 || kind == 0;
  s.grabIndex = static_cast<std::int32_t>(Between(rng, -1, 3));
  const int distanceKind = static_cast<int>(rng() % 3);
  if (distanceKind == 0) {
    s.dist = static_cast<float>(rng() % 51);
  } else if (distanceKind == 1) {
    s.dist = static_cast<float>(Between(rng, -10000000, 10000000)) / 1000;
  } else {
    s.dist = std::ldexp(1.0f, static_cast<int>(rng() % 121));
  }
  return s;
}

void PrintCalls(const testing_support::RecordingSurface& surface) {
  for (const auto& call : surface.calls) {
    std::printf("  %s", call.op.c_str());
    for (double a : call.args) std::printf(" %a", a);
    std::printf(" | %06" PRIx32 " %d %d\n", call.colour, call.width, call.fill);
  }
}

void PrintAnalysis(const geometry::Analysis& a) {
  std::printf("  analysis");
  Hex("r", a.referenceLength);
  std::printf(" degenerate=%d converged=%d%d%d\n", a.degenerate, a.converged.referenceLength,
              a.converged.approximateDeviation, a.converged.zeroTangent);
  for (const auto& sum : a.sums) {
    std::printf("  sum");
    Hex("n", sum.divisions);
    std::printf(" samples=%" PRId64, sum.samples);
    Hex("L", sum.length);
    Hex("abs", sum.absoluteError);
    Optional("rel", sum.relativeError);
    std::printf("\n");
  }
  if (a.approximateDeviation) {
    std::printf("  deviation");
    Hex("max", a.approximateDeviation->max);
    Hex("u", a.approximateDeviation->u);
    std::printf(" converged=%d\n", a.approximateDeviation->converged);
  }
  std::printf("  zero tangents");
  for (double t : a.zeroTangent) std::printf(" %a", t);
  std::printf("\n");
}

void PrintConvergence(const geometry::ConvergenceTable& table) {
  std::printf("  convergence");
  Hex("r", table.referenceLength);
  std::printf(" converged=%d\n", table.referenceConverged);
  for (const auto& row : table.rows) {
    std::printf("  row");
    Hex("n", row.divisions);
    std::printf(" samples=%" PRId64, row.samples);
    Optional("L", row.length);
    Optional("abs", row.absoluteError);
    Optional("rel", row.relativeError);
    std::printf(" error=%d\n", row.error ? static_cast<int>(*row.error) : -1);
  }
}

// The rules beside the window's sum, whose rows PrintConvergence gives.
void PrintRules(const geometry::LengthRulesTable& table) {
  for (const auto& row : table.rows) {
    if (row.rule == geometry::LengthRule::kLeft) continue;
    std::printf("  %s", geometry::LengthRuleName(row.rule));
    Hex("n", row.divisions);
    std::printf(" evaluations=%" PRId64, row.evaluations);
    Optional("L", row.length);
    Optional("abs", row.absoluteError);
    Optional("rel", row.relativeError);
    std::printf(" error=%d\n", row.error ? static_cast<int>(*row.error) : -1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 19;
  std::mt19937_64 rng(seed);
  for (int n = 0; n < count; ++n) {
    const scene::State state = RandomState(rng, n);
    testing_support::RecordingSurface surface;
    const scene::Result result = scene::Draw(state, surface);
    std::printf("state %d\n%s", n, scene::Report(result).c_str());
    PrintCalls(surface);
    PrintAnalysis(scene::Analyse(result));
    if (n % 100 == 0) {
      try {
        PrintConvergence(geometry::Convergence(state.P));
        PrintRules(geometry::LengthRules(state.P));
      } catch (const geometry::Error& e) {
        std::printf("  convergence error=%d\n", static_cast<int>(e.kind()));
      }
    }
  }
}
