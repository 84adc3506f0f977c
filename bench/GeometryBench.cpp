// Speed of the curve-length sums, of the 501 accurate-offset samples and of
// the error analysis.
// Run: build/bench/geometry_bench

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "Analysis.h"
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

// The yardstick for the curve length: the same samples of the same quartic,
// with no checks, no single-precision stores and plain products for the powers.
double BareLoop(double n) {
  const double C0 = 360000, C1 = -720000, C2 = 720000, C3 = -360000, C4 = 90000;
  const double dt = 1 / n;
  const double end = 1 - dt;
  double S = 0;
  // The parameter is accumulated exactly as the curve-length loop does.
  // NOLINTNEXTLINE(cert-flp30-c,clang-analyzer-security.FloatLoopCounter)
  for (double t = 0; t <= end; t += dt) {
    const double t2 = t * t;
    const double f = ((C0 * t2 * t2 + C1 * t2 * t) + C2 * t2) + C3 * t + C4;
    if (f >= 0) S += std::sqrt(f) * dt;
  }
  return S;
}

void BM_BareLoop(benchmark::State& state) {
  double n = static_cast<double>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(n);
    benchmark::DoNotOptimize(BareLoop(n));
  }
}
BENCHMARK(BM_BareLoop)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

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

// The analysis a redraw of the start state with every box ticked would ask
// for: the reference length, the four sums' sample counts and errors, and the
// yellow curve's deviation. The sums and the yellow curve are the caller's.
void BM_Analysis(benchmark::State& state) {
  std::vector<geometry::ComputedLength> lengths;
  for (double n : {10.0, 100.0, 1000.0, 10000.0}) {
    lengths.push_back({n, Vendrel::CurveLength(kPoints, n)});
  }
  const std::optional<std::array<geometry::IntPoint, 4>> Q =
      geometry::ApproximateOffsetPoints(kPoints, 30);
  for (auto _ : state) benchmark::DoNotOptimize(geometry::Analyse(kPoints, lengths, Q, 30));
}
BENCHMARK(BM_Analysis)->Unit(benchmark::kMicrosecond);

// A curve whose |B'|^2 has a stationary point at t = 0.000416: the narrow piece
// there must not drive the adaptive integration to its depth limit.
void BM_ReferenceLengthNarrowPiece(benchmark::State& state) {
  const std::array<geometry::IntPoint, 4> P{{{199, 37}, {156, 56}, {204, 279}, {285, 18}}};
  for (auto _ : state) benchmark::DoNotOptimize(geometry::ReferenceLength(P));
}
BENCHMARK(BM_ReferenceLengthNarrowPiece)->Unit(benchmark::kMicrosecond);

}  // namespace
