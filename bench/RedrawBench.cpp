// Speed of a full redraw with all six boxes ticked, on the retained picture.
// Run on any platform, for example: QT_QPA_PLATFORM=offscreen build/bench/redraw_bench

#include <benchmark/benchmark.h>

#include <QApplication>

#include "Appearance.h"
#include "main.h"

namespace {

void BM_FullRedraw(benchmark::State& state) {
  editor::main window;
  for (QCheckBox* box : window.Check1) box->setChecked(true);
  for (QCheckBox* box : window.Check2) box->setChecked(true);
  for (auto _ : state) window.Redraw();
  state.SetLabel(window.Label1->text().count('\n') == 14 ? "14 report lines" : "wrong report");
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  editor::ApplyAppearance(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
