// The report tool's work per state, in process: the scene on no picture and
// its JSON written out, as --batch does for each line. scripts/bench-tool.sh
// compares it with the tool's cost per line over 10,000 lines, which it
// feeds the same states: `report_bench --write-batch-input N` writes them.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "FanOutSurface.h"
#include "JsonText.h"
#include "Pointer.h"
#include "ReportJson.h"

namespace {

// Curves a user could drag in the window: points inside the drawing area,
// a distance the scroll bar can set, the start state's options otherwise.
std::vector<scene::State> States(std::size_t count) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<std::int32_t> coordinate(5, 255);
  std::uniform_int_distribution<int> distance(0, 50);
  std::vector<scene::State> states(count);
  for (scene::State& s : states) {
    for (geometry::IntPoint& p : s.P) p = {coordinate(random), coordinate(random)};
    s.dist = static_cast<float>(distance(random));
  }
  return states;
}

void WriteBatchInput(std::size_t count) {
  for (const scene::State& s : States(count)) {
    std::printf("--points %d,%d,%d,%d,%d,%d,%d,%d --distance %g\n", s.P[0].x, s.P[0].y, s.P[1].x,
                s.P[1].y, s.P[2].x, s.P[2].y, s.P[3].x, s.P[3].y, static_cast<double>(s.dist));
  }
}

constexpr std::size_t kStates = 1000;

void BM_StateJson(benchmark::State& state) {
  const std::vector<scene::State> states = States(kStates);
  drawing::FanOutSurface nothing(scene::kAreaSize, scene::kAreaSize);
  std::size_t i = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string json =
        state::JsonText(cli::ToJson(scene::Draw(states[i], nothing, scene::Vertices::kKeep)),
                        state::JsonFormat::kCompact);
    bytes += json.size();
    benchmark::DoNotOptimize(json.data());
    i = (i + 1) % kStates;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_StateJson)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-batch-input") == 0) {
    WriteBatchInput(std::stoul(argv[2]));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
