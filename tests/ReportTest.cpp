#include "Report.h"

#include <gtest/gtest.h>

#include <array>

#include "ErrorKindOf.h"
#include "Vendrel.h"

namespace {

using geometry::IntPoint;

TEST(Report, LinesAreWrittenCharacterForCharacter) {
  EXPECT_EQ(scene::ControlPointLine(1, {150, 50}), "P(1) = ( 150 , 50 )\r\n");
  EXPECT_EQ(scene::ControlPointLine(3, {-7, 0}), "P(3) = ( -7 , 0 )\r\n");
  EXPECT_EQ(scene::ChordLine(1, 100), "d(P(0),P(1)) = 100\r\n");
  EXPECT_EQ(scene::ChordLine(3, 0), "d(P(2),P(3)) = 0\r\n");
  EXPECT_EQ(scene::TotalLine(300), "Total Length = 300\r\n\r\n");
  EXPECT_EQ(scene::CurveLengthLine(1000, 199.70069936), "Length(1000分割) = 199.7007\r\n");
}

TEST(Report, ChordsAreRoundedOneByOneAndTheTotalOnce) {
  constexpr std::array<IntPoint, 4> P{{{10, 10}, {11, 11}, {12, 12}, {13, 13}}};
  double total = 0;
  for (int i = 1; i <= 3; ++i) {
    const double d = scene::ChordLength(P, i);
    EXPECT_EQ(scene::ChordLine(i, d),
              "d(P(" + std::to_string(i - 1) + "),P(" + std::to_string(i) + ")) = 1\r\n");
    total += d;
  }
  EXPECT_EQ(scene::TotalLine(total), "Total Length = 4\r\n\r\n");
  constexpr std::array<IntPoint, 4> coincident{{{10, 10}, {10, 10}, {12, 12}, {13, 13}}};
  EXPECT_EQ(scene::ChordLine(1, scene::ChordLength(coincident, 1)), "d(P(0),P(1)) = 0\r\n");
  constexpr std::array<IntPoint, 4> wide{{{-2147483647, 0}, {2147483647, 0}, {0, 0}, {0, 0}}};
  EXPECT_EQ(KindOf([&] { scene::ChordLength(wide, 1); }), geometry::ErrorKind::Overflow);
}

TEST(Report, AllFourCurveLengthsOfTheStartState) {
  const char* expected[] = {"Length(10分割) = 201\r\n", "Length(100分割) = 197.0694\r\n",
                            "Length(1000分割) = 199.7007\r\n", "Length(10000分割) = 200\r\n"};
  for (int i = 0; i < 4; ++i) {
    const double n = scene::DivisionCount(i);
    EXPECT_EQ(scene::CurveLengthLine(n, Vendrel::CurveLength(scene::kStartPoints, n)), expected[i]);
  }
  // A length whose ten-thousandths do not fit in 32 bits leaves its line out.
  EXPECT_EQ(KindOf([&] { scene::CurveLengthLine(10, 214749.0); }), geometry::ErrorKind::Overflow);
}

TEST(Report, GeneralFormatHasNoExponentAndNoTrailingZeros) {
  EXPECT_EQ(scene::FormatGeneral(201), "201");
  EXPECT_EQ(scene::FormatGeneral(197.0694), "197.0694");
  EXPECT_EQ(scene::FormatGeneral(299.7), "299.7");
  EXPECT_EQ(scene::FormatGeneral(0), "0");
  EXPECT_EQ(scene::FormatGeneral(0.0001), "0.0001");
  EXPECT_EQ(scene::FormatGeneral(-0.5), "-0.5");
  EXPECT_EQ(scene::FormatGeneral(214748.3647), "214748.3647");
  EXPECT_EQ(scene::FormatGeneral(10000), "10000");
  EXPECT_EQ(scene::FormatGeneral(1e20), "100000000000000000000");
  EXPECT_EQ(scene::FormatGeneral(0.1 + 0.2), "0.3");  // 15 significant digits
}

}  // namespace
