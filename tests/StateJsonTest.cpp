// The state file's rules without Qt (the page's) against the desktop
// programs' reading and writing: the same state or the same message for each
// file, and the same bytes written.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <variant>

#include "StateFile.h"
#include "StateJson.h"

namespace {

std::string Outcome(const std::variant<scene::State, state::UsageError>& parsed) {
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) return error->message;
  const scene::State& s = std::get<scene::State>(parsed);
  return state::StateFileText(s);
}

TEST(StateJson, ReadsEveryFileAsTheDesktopProgramsDo) {
  const char* files[] = {
      R"({"state": {}})",
      R"({"state": {"points": [[20,200],[90,15],[240,30],[130,250]], "divisions": [10, 1000],
          "approximate": false, "accurate": true, "distance": 12, "grabbed": 2}, "other": 1})",
      R"({"state": {"points": [[1,2],[3,4],[5,6]]}})",
      R"({"state": {"points": [[1,2],[3,4],[5,6],[7,2147483648]]}})",
      R"({"state": {"points": [[1,2],[3,4],[5,6],[7,8.5]]}})",
      R"({"state": {"points": "50,50"}})",
      R"({"state": {"divisions": [10, 20]}})",
      R"({"state": {"divisions": []}})",
      R"({"state": {"divisions": 1000}})",
      R"({"state": {"grabbed": 4}})",
      R"({"state": {"approximate": 1}})",
      R"({"state": {"accurate": "yes"}})",
      R"({"state": {"distance": 1e39}})",
      R"({"state": {"distance": 12.5}})",
      R"({"state": {"distance": -2.5e-7}})",
      R"({"state": {"distance": "30"}})",
      R"({"state": {"colour": "red"}})",
      R"({"state": {"a\u0001b": 1}})",
      R"({"state": {"points": [[1,2],[3,4],[5,6],["長い値長い値長い値長い値長い値長い値長い値長い値長い値長い値長い値長い値長い値", 1]]}})",
      R"({"state": [1, 2]})",
      R"({"state": null})",
      R"({"other": {}})",
      R"([1, 2])",
  };
  for (const char* file : files) {
    EXPECT_EQ(Outcome(state::ParseStateJson(file)), Outcome(state::ParseStateFile(file))) << file;
  }
}

TEST(StateJson, WritesTheDesktopProgramsBytes) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 2000; ++i) {
    scene::State s;
    for (auto& p : s.P) {
      p = {static_cast<std::int32_t>(rng()), static_cast<std::int32_t>(rng() % 300)};
    }
    for (auto& d : s.divisions) d = rng() % 2 == 1;
    s.approximate = rng() % 2 == 1;
    s.accurate = rng() % 2 == 1;
    s.grabIndex = static_cast<std::int32_t>(rng() % 5) - 1;
    s.dist = i % 2 == 0 ? static_cast<float>(rng() % 51)
                        : std::ldexp(static_cast<float>(rng() % 100000),
                                     static_cast<int>(rng() % 80) - 60);
    ASSERT_EQ(state::StateFileText(s), state::StateFileBytes(s).toStdString());
  }
}

}  // namespace
