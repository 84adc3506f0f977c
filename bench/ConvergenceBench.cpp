// The cost of the convergence table for one state: every sum of the ladder of
// division counts (about 1.8 million samples) and the reference length; and of
// the table of the better rules (--rules), which adds three double-precision
// rules over the same ladder (about 5.5 million more evaluations of the speed),
// to be kept within 20 ms per state; and of laying the rules' plot out as a
// figure from its table (the painting is the front end's).
// Run: build/bench/convergence_bench

#include <benchmark/benchmark.h>

#include <array>

#include "Convergence.h"
#include "LengthRules.h"
#include "RulesPlot.h"

namespace {

using Points = std::array<geometry::IntPoint, 4>;

constexpr Points kStart{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
// The README's example state, the points of its lesson state docs/lesson.bezierlab.
constexpr Points kExample{{{20, 200}, {90, 15}, {240, 30}, {130, 250}}};
// A loop whose speed comes near zero inside [0, 1]: every rule slows down.
constexpr Points kNearCusp{{{0, 0}, {300, 300}, {0, 300}, {300, 0}}};

void BM_ConvergenceTable(benchmark::State& state, const Points& P) {
  (void)geometry::Convergence(P);  // the sample counts are counted once per process
  for (auto _ : state) benchmark::DoNotOptimize(geometry::Convergence(P));
}
BENCHMARK_CAPTURE(BM_ConvergenceTable, start, kStart)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvergenceTable, example, kExample)->Unit(benchmark::kMillisecond);

void BM_LengthRules(benchmark::State& state, const Points& P) {
  (void)geometry::LengthRules(P);  // sample counts and Gauss nodes once per process
  for (auto _ : state) benchmark::DoNotOptimize(geometry::LengthRules(P));
}
BENCHMARK_CAPTURE(BM_LengthRules, start, kStart)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LengthRules, example, kExample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LengthRules, nearCusp, kNearCusp)->Unit(benchmark::kMillisecond);

void BM_RulesPlotLayout(benchmark::State& state, const Points& P) {
  const geometry::LengthRulesTable table = geometry::LengthRules(P);
  const scene::plot::Measure measure{
      [](const std::string& text, scene::plot::TextStyle) { return 6.0 * text.size(); },
      [](scene::plot::TextStyle) { return 14.0; }, [](scene::plot::TextStyle) { return 11.0; }};
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene::plot::LayOutRules(table, 640, 400, measure));
  }
}
BENCHMARK_CAPTURE(BM_RulesPlotLayout, example, kExample)->Unit(benchmark::kMillisecond);

}  // namespace
