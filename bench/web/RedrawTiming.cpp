// The core's redraw per drag move, timed: a drag of P(2) around the area with
// every box ticked, each move one scene::Draw onto the recording surface and
// the report written, as the page does per pointer event. Built natively and
// as WebAssembly (run under node) from this one file; scripts/bench-web.sh
// prints both and their ratio. Prints the median microseconds per redraw.
//
//   redraw_timing [MOVES]      (2000 by default)

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "RecordingSurface.h"
#include "Scene.h"

int main(int argc, char** argv) {
  const int moves = argc > 1 ? std::atoi(argv[1]) : 2000;
  scene::State state;
  state.divisions = {true, true, true, true};
  state.grabIndex = 2;
  testing_support::RecordingSurface surface;
  std::vector<double> micros;
  std::size_t reportBytes = 0;
  for (int i = 0; i < moves; ++i) {
    // Around a circle of radius 80 about the middle, within the margins.
    const double a = 2 * 3.141592653589793 * i / 500;
    state.P[2] = {static_cast<int>(130 + 80 * std::cos(a)),
                  static_cast<int>(130 + 80 * std::sin(a))};
    const auto start = std::chrono::steady_clock::now();
    surface.Clear();
    const scene::Result result = scene::Draw(state, surface);
    reportBytes += scene::Report(result).size();
    const auto end = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::nth_element(micros.begin(), micros.begin() + moves / 2, micros.end());
  std::printf("%.1f\n", micros[static_cast<std::size_t>(moves / 2)]);
  return reportBytes > 0 ? 0 : 1;
}
