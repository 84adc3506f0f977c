// A line of state options read by the rules without Qt (the page's paste)
// and by the desktop programs (the window's paste, a line of the report
// tool's --batch): the same state or the same message for each line. And two
// rules every program shares: the white space around a value, and how a value
// is quoted in a message.

#include <gtest/gtest.h>

#include <QChar>
#include <QString>
#include <array>
#include <string>
#include <variant>

#include "Options.h"
#include "PathBytes.h"
#include "StateFile.h"
#include "StateOptions.h"

namespace {

std::string Outcome(const std::variant<scene::State, state::UsageError>& parsed) {
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) return error->message;
  return state::StateLineText(std::get<scene::State>(parsed));
}

std::string Outcome(const cli::Parsed& parsed) {
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) return error->message;
  return state::StateLineText(std::get<cli::Request>(parsed).state);
}

const std::string kLong = std::string(59, '7') + "😀";  // the 60th UTF-16 unit starts a pair

TEST(StateLine, ThePageReadsALineAsTheWindowAndTheToolDo) {
  const std::string lines[] = {
      "--points 20,200,90,15,240,30,130,250 --divisions 10,1000 --no-accurate --distance 12",
      " \t--distance=0.1 --grabbed 2 --no-approximate\r\n",
      "--divisions= --points -0,007,2147483647,-2147483648,1,2,3,4",
      "--distance -2.5E+1 --divisions 10000,10",
      "--points 1,2,3",
      "--points 1,2,3,4,5,6,7,2147483648",
      "--points 1,2,3,4,5,6,7,\u00a08",
      "--distance 1e39",
      "--distance .5",
      "--distance 7\u3000 --grabbed 1",
      "--divisions 10,,100",
      "--grabbed 4",
      "--distance 3 --distance=4",
      "--colour red",
      "--no-accurate=1",
      "--distance",
      "-x",
      "-- --distance 3",
      "--distance 3 stray",
      "--distance " + kLong + "b",
      "--" + kLong,
  };
  for (const std::string& line : lines) {
    const std::string page = Outcome(state::ParseStateLine(line));
    EXPECT_EQ(page, Outcome(state::ParseStateText(QString::fromStdString(line)))) << line;
    EXPECT_EQ(page, Outcome(cli::ParseBatchLine(line))) << line;
  }
  // White space a text field trims around the whole line is no argument.
  const std::string spaced = "\u3000--distance 7 --grabbed 1\u00a0\u2029";
  EXPECT_EQ(Outcome(state::ParseStateLine(spaced)),
            "--points 50,50,150,50,150,150,50,150 "
            "--divisions 1000 --distance 7 --grabbed 1");
  EXPECT_EQ(Outcome(state::ParseStateText(QString::fromStdString(spaced))),
            Outcome(state::ParseStateLine(spaced)));
}

// What QString::trimmed takes off a pasted text, and what makes a value
// "white space around" rather than malformed, is the same set of characters.
TEST(StateLine, TheWhiteSpaceAroundIsWhatATextFieldTrims) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::array<QChar, 2> units{QChar(QChar::highSurrogate(c)), QChar(QChar::lowSurrogate(c))};
    const QString character = QChar::requiresSurrogates(c)
                                  ? QString(units.data(), 2)
                                  : QString(QChar(static_cast<char16_t>(c)));
    const std::string around = (character + u'5' + character).toStdString();
    ASSERT_EQ(state::Trimmed(around) == "5", QChar::isSpace(c))
        << std::hex << static_cast<unsigned>(c);
  }
}

// A value is quoted alike from a command line, a line, a state file or a
// link: at most 60 UTF-16 units, but never half a character.
TEST(StateLine, AValueIsQuotedInWholeCharacters) {
  EXPECT_EQ(state::Shown(QString::fromStdString(kLong)), kLong);
  EXPECT_EQ(state::Shown(state::FromBytes(kLong + "\xff")), kLong + "…");
  EXPECT_EQ(Outcome(state::ParseState({"bezierlab", QString::fromStdString("--" + kLong + "b")})),
            "--" + std::string(58, '7') + "… というオプションはありません");
  EXPECT_EQ(
      Outcome(state::ParseStateText(QString::fromStdString("--distance " + kLong + "b"))),
      "--distance の値「" + kLong + "…」は使えません: 30 や 12.5、-2.5e1 のような数で指定します");
  EXPECT_EQ(Outcome(state::ParseStateFile(
                QByteArray::fromStdString(R"({"state": {")" + kLong + R"(b": 1}})"))),
            "\"state\" に知らないメンバー \"" + kLong +
                "…\" があります（使えるのは points, grabbed, divisions, approximate, accurate, "
                "distance）");
}

}  // namespace
