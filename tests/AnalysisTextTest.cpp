#include "AnalysisText.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "OffsetCurves.h"
#include "Vendrel.h"

namespace {

using geometry::IntPoint;
using Points = std::array<IntPoint, 4>;
using Lines = std::vector<std::string>;

TEST(AnalysisText, StartStateCuspAndCoincidentPoints) {
  constexpr Points start{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
  std::vector<geometry::ComputedLength> lengths;
  for (double n : {10.0, 100.0, 1000.0, 10000.0}) {
    lengths.push_back({n, Vendrel::CurveLength(start, n)});
  }
  const auto a =
      geometry::Analyse(start, lengths, geometry::ApproximateOffsetPoints(start, 30), 30);
  EXPECT_EQ(scene::AnalysisLines(a), (Lines{
                                         "真の長さ（参照値） = 200",
                                         "Length(10分割) の誤差 = 1（0.5%、10点）",
                                         "Length(100分割) の誤差 = -2.9306（-1.4653%、99点）",
                                         "Length(1000分割) の誤差 = -0.2993（-0.1497%、999点）",
                                         "Length(10000分割) の誤差 = 0（0%、10000点）",
                                         "近似オフセット曲線（黄）のずれ = 最大 15（u = 0.5）",
                                     }));

  // No sums listed, the yellow curve not drawn, and a cusp at t = 1/2.
  constexpr Points cusp{{{0, 0}, {300, 300}, {0, 300}, {300, 0}}};
  const Lines cuspLines = scene::AnalysisLines(geometry::Analyse(cusp, {}, std::nullopt, 30));
  EXPECT_EQ(cuspLines,
            (Lines{"真の長さ（参照値） = 548.5281", "近似オフセット曲線（黄）は描かれていません",
                   "接線の長さが0になる t = 0.5"}));
  EXPECT_EQ(scene::JoinLines(cuspLines, "\r\n"),
            "真の長さ（参照値） = 548.5281\r\n近似オフセット曲線（黄）は描かれていません\r\n"
            "接線の長さが0になる t = 0.5");

  // Length 0: no relative error to show.
  constexpr Points same{{{9, 9}, {9, 9}, {9, 9}, {9, 9}}};
  const geometry::ComputedLength zero{10, 0};
  EXPECT_EQ(scene::AnalysisLines(geometry::Analyse(same, {&zero, 1}, std::nullopt, 30)),
            (Lines{"真の長さ（参照値） = 0", "Length(10分割) の誤差 = 0（10点）",
                   "近似オフセット曲線（黄）は描かれていません",
                   "4つの制御点が重なっていて、接線の長さはどこでも0です"}));
}

// A figure short of its accuracy is marked; the others are not.
TEST(AnalysisText, MarksFiguresThatFellShort) {
  constexpr Points nearCusp{{{0, 0}, {300, 300}, {0, 301}, {300, 0}}};
  const Lines lines = scene::AnalysisLines(
      geometry::Analyse(nearCusp, {}, geometry::ApproximateOffsetPoints(nearCusp, 30), 30));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "真の長さ（参照値） = 549.15");
  EXPECT_TRUE(lines[1].starts_with("近似オフセット曲線（黄）のずれ = 最大 "));
  EXPECT_TRUE(lines[1].ends_with("）（精度未達）"));

  geometry::Analysis shortLength;
  shortLength.referenceLength = 12.5;
  shortLength.converged.referenceLength = false;
  EXPECT_EQ(scene::LengthLines(shortLength), Lines{"真の長さ（参照値） = 12.5（精度未達）"});
}

}  // namespace
