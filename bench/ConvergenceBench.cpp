// The cost of the convergence table for one state: every sum of the ladder of
// division counts (about 1.8 million samples) and the reference length.
// Run: build/bench/convergence_bench

#include <benchmark/benchmark.h>

#include <array>

#include "Convergence.h"

namespace {

using Points = std::array<geometry::IntPoint, 4>;

constexpr Points kStart{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
// The README's example state.
constexpr Points kExample{{{20, 200}, {90, 15}, {240, 30}, {130, 250}}};

void BM_ConvergenceTable(benchmark::State& state, const Points& P) {
  (void)geometry::Convergence(P);  // the sample counts are counted once per process
  for (auto _ : state) benchmark::DoNotOptimize(geometry::Convergence(P));
}
BENCHMARK_CAPTURE(BM_ConvergenceTable, start, kStart)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvergenceTable, example, kExample)->Unit(benchmark::kMillisecond);

}  // namespace
