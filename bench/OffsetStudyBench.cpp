// The whole offset study per state (the tool's --offsets): h(u), the factor,
// the cusps and the splitting table with its 127 pieces. Target: 20 ms.

#include <benchmark/benchmark.h>

#include "OffsetStudy.h"

namespace {

void BM_OffsetStudy(benchmark::State& state, std::array<geometry::IntPoint, 4> P, float d) {
  for (auto _ : state) benchmark::DoNotOptimize(geometry::StudyOffset(P, d));
}

// The start state at its distance; the two-cusp state.
BENCHMARK_CAPTURE(BM_OffsetStudy, start, {{{50, 50}, {150, 50}, {150, 150}, {50, 150}}}, 30.0F)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OffsetStudy, twoCusps, {{{50, 150}, {150, 150}, {150, 50}, {50, 50}}}, 50.0F)
    ->Unit(benchmark::kMillisecond);

}  // namespace
