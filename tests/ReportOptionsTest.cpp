// The report tool's options: every malformed or out-of-range value is a usage
// error whose one line names the option and the value, and the values that
// are accepted mean exactly what the window would make of them.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Batch.h"
#include "Options.h"
#include "ReadWhole.h"

namespace {

cli::Parsed Parse(const std::vector<const char*>& args) {
  const std::vector<std::string> list(args.begin(), args.end());
  return cli::ParseArguments(list);
}

cli::Request Accepted(const std::vector<const char*>& args) {
  const cli::Parsed parsed = Parse(args);
  if (const auto* error = std::get_if<cli::UsageError>(&parsed)) {
    ADD_FAILURE() << "rejected: " << error->message;
    return {};
  }
  return std::get<cli::Request>(parsed);
}

struct BadCase {
  std::vector<const char*> args;
  std::vector<const char*> named;  // what the message must quote
};

TEST(ReportOptions, EveryBadArgumentIsOneLineNamingOptionAndValue) {
  const std::vector<BadCase> cases{
      {{"--points", "1,2,3,4,5,6,7"}, {"--points", "1,2,3,4,5,6,7"}},
      {{"--points=1,2,3,4,5,6,7,8,9"}, {"--points", "1,2,3,4,5,6,7,8,9"}},
      {{"--points", "1,2,3,4,5,6,7,x"}, {"--points", "x"}},
      {{"--points", "+5,2,3,4,5,6,7,8"}, {"--points", "+5"}},
      {{"--points", " 5,2,3,4,5,6,7,8"}, {"--points", " 5"}},
      {{"--points", "inf,2,3,4,5,6,7,8"}, {"--points", "inf"}},
      {{"--points", "0x10,2,3,4,5,6,7,8"}, {"--points", "0x10"}},
      {{"--points", "1,2,3,4,5,6,7,2147483648"}, {"--points", "2147483648"}},
      {{"--points", "-2147483649,2,3,4,5,6,7,8"}, {"--points", "-2147483649"}},
      {{"--points", "1,2,3,4,5,6,7,99999999999999999999999"}, {"--points", "9999999"}},
      {{"--divisions", "5"}, {"--divisions", "5"}},
      {{"--divisions", "10,,100"}, {"--divisions", "10,,100"}},
      {{"--divisions", "010"}, {"--divisions", "010"}},
      {{"--distance", "3.5e38"}, {"--distance", "3.5e38"}},
      {{"--distance", "1e400"}, {"--distance", "1e400"}},
      {{"--distance", "inf"}, {"--distance", "inf"}},
      {{"--distance", "nan"}, {"--distance", "nan"}},
      {{"--distance", "+5"}, {"--distance", "+5"}},
      {{"--distance", " 5"}, {"--distance", " 5"}},
      {{"--distance", ".5"}, {"--distance", ".5"}},
      {{"--distance", "5."}, {"--distance", "5."}},
      {{"--distance", "1,5"}, {"--distance", "1,5"}},
      {{"--scale", "0"}, {"--scale", "0"}},
      {{"--scale", "5"}, {"--scale", "5"}},
      {{"--scale", "2.0"}, {"--scale", "2.0"}},
      {{"--grabbed", "-2"}, {"--grabbed", "-2"}},
      {{"--grabbed", "4"}, {"--grabbed", "4"}},
      {{"--frobnicate"}, {"--frobnicate"}},
      {{"--json=yes"}, {"--json", "--json=yes"}},
      {{"-points", "1,2,3,4,5,6,7,8"}, {"-points"}},
      {{"-x"}, {"-x", "--points"}},
      {{"-h", "--help"}, {"--help"}},
      {{"--points", "1,2,3,4,5,6,7,8", "--points=1,2,3,4,5,6,7,8"}, {"--points"}},
      {{"--json", "--json"}, {"--json"}},
      {{"report.txt"}, {"report.txt"}},
      {{"--", "--json"}, {"--json"}},
      {{"--distance"}, {"--distance"}},
      {{"--png="}, {"--png"}},
      {{"--batch", "--json"}, {"--batch", "--json"}},
      {{"--png", "-", "--svg", "-"}, {"--png", "--svg"}},
      {{"--svg", "-", "--json"}, {"--json", "--svg -"}},
      {{"--png", "-", "--analysis"}, {"--analysis", "--png -"}},
      {{"--points", "1,2,3,4,5,6,7,\n8"}, {"--points", "\\x0a8"}},
      // A line end or a space around a value is named as the reason; a
      // form is described in words with an example.
      {{"--points", "1,2,3,4,5,6,7,8\n"}, {"--points", "8\\x0a", "前後に空白か改行"}},
      {{"--distance", "30\n"}, {"--distance", "30\\x0a", "前後に空白か改行"}},
      {{"--distance", "30 "}, {"--distance", "30 ", "前後に空白か改行"}},
      {{"--grabbed", "1\n"}, {"--grabbed", "前後に空白か改行"}},
      {{"--png", "a.png", "--scale", "2\n"}, {"--scale", "前後に空白か改行"}},
      {{"--distance", "x"}, {"--distance", "30 や 12.5"}},
      {{"--points", "1,2,3,4,5,6,7,y"}, {"--points", "-12 や 250"}},
      // Outputs that cannot all be what was asked for.
      {{"--png", "same.x", "--svg", "same.x"}, {"--png", "--svg", "same.x"}},
      {{"--png", "./pics/../same.x", "--svg", "same.x"}, {"--png", "--svg", "same.x"}},
      {{"--scale", "2"}, {"--scale", "--png"}},
  };
  for (const BadCase& c : cases) {
    const cli::Parsed parsed = Parse(c.args);
    const auto* error = std::get_if<cli::UsageError>(&parsed);
    ASSERT_NE(error, nullptr) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
    EXPECT_EQ(error->message.find('\n'), std::string::npos) << error->message;
    EXPECT_EQ(error->message.find("[0-9]"), std::string::npos) << error->message;
    for (const char* named : c.named) {
      EXPECT_NE(error->message.find(named), std::string::npos)
          << "'" << named << "' missing from: " << error->message;
    }
  }
}

TEST(ReportOptions, AcceptedValuesMeanWhatTheWindowWouldMakeOfThem) {
  const cli::Request start = Accepted({});
  EXPECT_EQ(start.state.P, scene::kStartPoints);
  EXPECT_EQ(start.state.divisions, (std::array<bool, 4>{false, false, true, false}));
  EXPECT_EQ(start.state.dist, 30.0f);
  EXPECT_TRUE(start.state.approximate && start.state.accurate);
  EXPECT_EQ(start.state.grabIndex, -1);

  const cli::Request r =
      Accepted({"--points", "-0,007,2147483647,-2147483648,1,2,3,4", "--divisions=1000,10,1000",
                "--no-approximate", "--grabbed", "-0", "--scale=4", "--png", "a.png"});
  EXPECT_EQ(r.state.P[0].x, 0);
  EXPECT_EQ(r.state.P[0].y, 7);
  EXPECT_EQ(r.state.P[1].x, 2147483647);
  EXPECT_EQ(r.state.P[1].y, -2147483647 - 1);
  EXPECT_EQ(r.state.divisions, (std::array<bool, 4>{true, false, true, false}));
  EXPECT_FALSE(r.state.approximate);
  EXPECT_TRUE(r.state.accurate);
  EXPECT_EQ(r.state.grabIndex, 0);
  EXPECT_EQ(r.scale, 4);
  EXPECT_EQ(r.png, "a.png");
  EXPECT_EQ(Accepted({"--divisions="}).state.divisions, (std::array<bool, 4>{}));
  EXPECT_TRUE(Accepted({"-h"}).help);
  EXPECT_TRUE(Accepted({"--png", "-", "--scale", "2"}).png.has_value());

  // The distance: decimal to double, correctly rounded, then to single with
  // ties to even.
  const auto dist = [](const char* text) { return Accepted({"--distance", text}).state.dist; };
  EXPECT_EQ(dist("0.1"), 0.1f);
  EXPECT_EQ(dist("16777217"), 16777216.0f);  // halfway: to the even neighbour
  EXPECT_EQ(dist("16777219"), 16777220.0f);
  EXPECT_EQ(dist("3.4028234e38"), 3.4028234e38f);
  EXPECT_EQ(dist("1e-400"), 0.0f);
  EXPECT_TRUE(std::signbit(dist("-0")));
  EXPECT_EQ(dist("-2.5E+1"), -25.0f);
}

// Paths are bytes: a file is named by exactly the bytes given, the plot's
// format is the last name's extension in any case, and two paths name the
// same file once made absolute and clean (".", "..", repeated and trailing
// slashes), as the shell and the file system see them.
TEST(ReportOptions, PathsAreTheirBytesAndSameFilesAreFoundAfterCleaning) {
  const cli::Request latin1 = Accepted({"--png", "caf\xe9.png", "--svg", "-"});
  EXPECT_EQ(latin1.png, "caf\xe9.png");
  EXPECT_EQ(Accepted({"--plot", "dir.svg/x.PnG"}).plotFormat, "png");
  EXPECT_EQ(Accepted({"--plot", "x.svg.SVG"}).plotFormat, "svg");
  EXPECT_EQ(Accepted({"--plot", ".png"}).plotFormat, "png");
  for (const char* noExtension : {"a.png/x", "a.png/", "png", "a.png."}) {
    const cli::Parsed parsed = Parse({"--plot", noExtension});
    EXPECT_TRUE(std::holds_alternative<cli::UsageError>(parsed)) << noExtension;
  }
  const std::vector<std::pair<const char*, const char*>> same = {
      {"a/b/../c.x", "./a//c.x"}, {"c.x/", "c.x"}, {"/", "/."}, {"./a/./c.x", "a/c.x"}};
  for (const auto& [png, svg] : same) {
    EXPECT_TRUE(std::holds_alternative<cli::UsageError>(Parse({"--png", png, "--svg", svg})))
        << png << " " << svg;
    EXPECT_TRUE(std::holds_alternative<cli::UsageError>(
        Parse({"--svg", png, "--plot", svg, "--plot-format", "png"})))
        << png << " " << svg;
  }
  for (const auto& [png, svg] : std::vector<std::pair<const char*, const char*>>{
           {"a/c.x", "b/c.x"}, {"a/../c.x", "a/c.x"}, {"c.x", "c.X"}}) {
    EXPECT_TRUE(std::holds_alternative<cli::Request>(Parse({"--png", png, "--svg", svg})))
        << png << " " << svg;
  }
}

std::string RunBatchOn(std::FILE* in, std::optional<std::string>& failure) {
  char* outText = nullptr;
  std::size_t outSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  failure = cli::RunBatch(in, out);
  std::fclose(in);
  std::fclose(out);
  std::string written(outText, outSize);
  std::free(outText);  // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
  return written;
}

TEST(ReportOptions, BatchKeepsGoingPastBadLinesAndNumbersEveryLine) {
  const std::string input =
      "--divisions=10\n"
      "\n"  // blank and comment lines give nothing but are counted
      "--points 1,2\r\n"
      "  # --points 1,2\n"
      " --no-accurate\t--no-approximate   --divisions= --grabbed 2\r\n"
      " \t\r\n"
      "--png x.png\n"     // only the state's options on a line
      "--distance 1e39";  // no line end at the end of the input
  std::optional<std::string> failure;
  const QList<QByteArray> lines =
      QByteArray::fromStdString(
          RunBatchOn(fmemopen(const_cast<char*>(input.data()), input.size(), "r"), failure))
          .split('\n');
  EXPECT_EQ(failure, std::nullopt);

  ASSERT_EQ(lines.size(), 6);  // five objects, then the empty rest after the last "\n"
  EXPECT_TRUE(lines[5].isEmpty());
  const std::vector<std::string> expectedStart{
      R"({"accurate":{"error":null)", R"({"error":"--points の値「1,2」)",
      R"({"accurate":null,"approximate":null,)", R"({"error":"--png は --batch の行)",
      R"({"error":"--distance の値「1e39」)"};
  const std::vector<int> numbers{1, 3, 5, 7, 8};
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(lines[i].startsWith(QByteArray::fromStdString(expectedStart[i])))
        << lines[i].left(80).toStdString();
    EXPECT_TRUE(lines[i].contains(QByteArray("\"line\":") + QByteArray::number(numbers[i])));
  }
  EXPECT_TRUE(lines[2].contains(R"("grabbed":2)"));
  EXPECT_TRUE(lines[2].contains(R"("lengths":[])"));
}

// A stream that gives one line and then fails as a disk or a network file
// system can.
ssize_t OneLineThenEio(void* cookie, char* buffer, std::size_t size) {
  auto& calls = *static_cast<int*>(cookie);
  if (calls++ > 0) {
    errno = EIO;
    return -1;
  }
  const std::string line = "--grabbed 1\n";
  const std::size_t n = std::min(size, line.size());
  std::copy_n(line.data(), n, buffer);
  return static_cast<ssize_t>(n);
}

TEST(ReportOptions, BatchEndsOnAReadErrorAfterWhatWasRead) {
  int calls = 0;
  std::optional<std::string> failure;
  const std::string written =
      RunBatchOn(fopencookie(&calls, "r", {OneLineThenEio, nullptr, nullptr, nullptr}), failure);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1);
  EXPECT_NE(written.find(R"("grabbed":1)"), std::string::npos) << written;
  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find("2 行目"), std::string::npos) << *failure;
  EXPECT_NE(failure->find(std::strerror(EIO)), std::string::npos) << *failure;

  // A folder in place of the input fails at once, with EISDIR.
  std::FILE* folder = std::fopen(".", "r");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(RunBatchOn(folder, failure), "");
  EXPECT_NE(failure.value_or("").find(files::Reason(EISDIR)), std::string::npos);
}

}  // namespace
