// Writes the seed inputs of the geometry fuzz target into the directory named
// on the command line (fuzz/corpus in the source tree); see CMakeLists.txt.
// Each seed is one hand-picked case: the curves whose offsets are worked out
// by hand, the zero tangents, distance zero, and coordinates and distances at
// the ends of their ranges.

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "FuzzInput.h"

namespace {

using fuzzinput::Case;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Division fields: with kDecade 0..3 pick 10..10000, otherwise n = field + 1.
constexpr std::uint16_t k10 = 0, k100 = 1, k1000 = 2, k10000 = 3;

struct Seed {
  const char* name;
  Case c;
};

const Case kSquare{{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}}, k10, 30.0f, fuzzinput::kDecade};
const Case kMirror{{{{50, 150}, {150, 150}, {150, 50}, {50, 50}}}, k100, 30.0f, fuzzinput::kDecade};

const std::vector<Seed> kSeeds = {
    {"square-30", kSquare},
    {"square-0", {kSquare.P, k10000, 0.0f, fuzzinput::kDecade}},
    {"mirror-30", kMirror},
    {"collinear-30", {{{{50, 100}, {100, 100}, {150, 100}, {200, 100}}}, k1000, 30.0f, 1}},
    {"tight-bend-29", {{{{100, 100}, {110, 100}, {110, 90}, {100, 90}}}, 0, 29.0f, 0}},
    {"same-end-30", {{{{50, 50}, {150, 50}, {50, 150}, {50, 150}}}, 9998, 30.0f, 0}},
    {"same-start-flag", {kMirror.P, 4321, -12.5f, fuzzinput::kSameStart}},
    {"all-equal", {{{{7, 7}, {7, 7}, {7, 7}, {7, 7}}}, 99, 5.0f, 0}},
    {"int-limits", {{{{kMax, kMin}, {kMin, kMax}, {0, 0}, {kMax, kMax}}}, 9, 1.0e30f, 0}},
    {"beyond-single-0",
     {{{{16777217, -16777219}, {33554435, 5}, {-1, 16777221}, {1 << 30, -(1 << 30)}}},
      k10,
      -0.0f,
      fuzzinput::kDecade}},
    {"huge-dist", {kSquare.P, 500, std::numeric_limits<float>::max(), 0}},
    {"tiny-dist", {kMirror.P, 1, std::numeric_limits<float>::denorm_min(), 0}},
    {"short-coords",
     {{{{0x7fff8000, 0x0001ff38}, {0x12345678, -1}, {0x00017fff, 0x7fff0064}, {-32768, 32767}}},
      77,
      -3.75f,
      fuzzinput::kShort}},
    {"wide-curve",
     {{{{-100000, 0}, {0, 300000}, {400000, -300000}, {100000, 2}}}, k10000, 50.0f, 1}},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  for (const Seed& seed : kSeeds) {
    const std::string path = std::string(argv[1]) + "/" + seed.name;
    const std::vector<std::uint8_t> bytes = fuzzinput::Encode(seed.c);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) written = false;
    if (!written) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
