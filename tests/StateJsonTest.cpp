// The one JSON reader and the state file's rules without Qt (the page's)
// against the desktop programs' reading and writing: what the reader accepts
// where JSON readers differ, the same state or the same message for each file
// in a file, a paste and the page, and the same bytes written.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <variant>

#include "JsonRead.h"
#include "StateFile.h"
#include "StateJson.h"

namespace {

std::string Outcome(const std::variant<scene::State, state::UsageError>& parsed) {
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) return error->message;
  const scene::State& s = std::get<scene::State>(parsed);
  return state::StateFileText(s);
}

// The distance read, or the message.
std::string Distance(std::string_view file) {
  const auto parsed = state::ParseStateJson(file);
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) return error->message;
  return std::to_string(std::get<scene::State>(parsed).dist);
}

std::string Nested(int depth) {
  return R"({"state": {"distance": 12}, "n": )" + std::string(depth - 1, '[') +
         std::string(depth - 1, ']') + "}";
}

TEST(JsonRead, AcceptsAndRefusesWhereJsonReadersDiffer) {
  const std::string kTwelve = std::to_string(12.0F);
  // One byte order mark is passed over; a second one is no JSON.
  EXPECT_EQ(Distance("\xEF\xBB\xBF{\"state\": {\"distance\": 12}}"), kTwelve);
  EXPECT_EQ(Distance("\xEF\xBB\xBF\xEF\xBB\xBF{\"state\": {}}"),
            "JSON として読めません（4 バイト目）");
  // An escaped surrogate without its partner reads as U+FFFD, wherever it is.
  EXPECT_EQ(Distance(R"({"state": {"distance": 12}, "n": ["\ud800", "\udc00x", "\ud800\u0041"]})"),
            kTwelve);
  EXPECT_EQ(
      Distance(R"({"state": {"distance": "\udbff\ud83d\ude00\\ud800"}})"),
      "\"state\" の \"distance\" の値「\"\uFFFD\U0001F600\\\\ud800\"」は使えません: 数を書きます");
  // A number beyond a double, or too small to be told from zero, is refused at
  // its end; a subnormal one is read.
  EXPECT_EQ(Distance(R"({"state": {"distance": 1e400}})"), "JSON として読めません（28 バイト目）");
  EXPECT_EQ(Distance(R"({"n": [0, -1e400], "state": {}})"), "JSON として読めません（16 バイト目）");
  EXPECT_EQ(Distance(R"({"n": [0.0e-999, 1e-400]})"), "JSON として読めません（23 バイト目）");
  EXPECT_EQ(Distance(R"({"n": "1e400", "m": 4.9e-324, "state": {"distance": 12}})"), kTwelve);
  // A member given twice keeps its last value, "state" as its members.
  EXPECT_EQ(Distance(R"({"state": {"distance": "x", "distance": 13}})"), std::to_string(13.0F));
  EXPECT_EQ(Distance(R"({"state": {"distance": 13, "distance": []}})"),
            "\"state\" の \"distance\" の値「[]」は使えません: 数を書きます");
  EXPECT_EQ(Distance(R"({"state": {"distance": 12}, "state": {"distance": 14}})"),
            std::to_string(14.0F));
  // Bytes that are no UTF-8 are refused, in a string or out of one.
  EXPECT_EQ(Distance("{\"state\": {}, \"note\": \"caf\xE9\"}"),
            "JSON として読めません（28 バイト目）");
  EXPECT_EQ(Distance("{\"state\": {}, \"\xED\xA0\x80\": 1}"),
            "JSON として読めません（17 バイト目）");
  // Arrays and objects nest 1024 deep, no deeper.
  EXPECT_EQ(Distance(Nested(state::kDeepestJsonNesting)), kTwelve);
  EXPECT_EQ(Distance(Nested(state::kDeepestJsonNesting + 1)),
            "JSON として読めません（1057 バイト目）");
}

TEST(StateJson, ReadsEveryFileAlikeInEveryProgram) {
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
    const std::string page = Outcome(state::ParseStateJson(file));
    EXPECT_EQ(page, Outcome(state::ParseStateFile(file))) << file;
    if (file[0] == '{') {  // a paste in another form is a line of options
      EXPECT_EQ(page, Outcome(state::ParseStateText(QString::fromUtf8(file)))) << file;
    }
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
