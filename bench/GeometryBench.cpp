// Speed of the curve-length sums and of the 501 accurate-offset samples.
// Run: build/bench/geometry_bench

#include <benchmark/benchmark.h>

#include <array>

#include "IntPoint.h"
#include "OffsetCurves.h"
#include "Vendrel.h"

namespace {

constexpr std::array<geometry::IntPoint, 4> kPoints{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};

void BM_CurveLength(benchmark::State& state) {
  const double n = static_cast<double>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(Vendrel::CurveLength(kPoints, n));
}
BENCHMARK(BM_CurveLength)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

void BM_AccurateOffsetSamples(benchmark::State& state) {
  for (auto _ : state) {
    for (std::int32_t i = 0; i <= geometry::kLastOffsetSample; ++i) {
      benchmark::DoNotOptimize(geometry::AccurateOffsetPoint(kPoints, 30, i));
    }
  }
}
BENCHMARK(BM_AccurateOffsetSamples);

// What one redraw with every box ticked computes: four lengths and 501 samples.
void BM_AllLengthsAndSamples(benchmark::State& state) {
  for (auto _ : state) {
    for (double n : {10.0, 100.0, 1000.0, 10000.0}) {
      benchmark::DoNotOptimize(Vendrel::CurveLength(kPoints, n));
    }
    for (std::int32_t i = 0; i <= geometry::kLastOffsetSample; ++i) {
      benchmark::DoNotOptimize(geometry::AccurateOffsetPoint(kPoints, 30, i));
    }
  }
}
BENCHMARK(BM_AllLengthsAndSamples);

}  // namespace
