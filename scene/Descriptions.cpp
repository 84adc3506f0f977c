#include "Descriptions.h"

#include <cmath>

#include "AnalysisText.h"
#include "Report.h"
#include "Tr.h"

namespace scene {

namespace {

using i18n::Format;
using i18n::Tr;

constexpr const char* kYellow = i18n::Mark("近似オフセット曲線（黄）");
constexpr const char* kBlue = i18n::Mark("正確なオフセット曲線（青）");
// The blue curve's samples: t = 0, 1/500, ..., 1.
constexpr int kBlueSamples = 501;

// A report line without its "\r\n".
std::string Bare(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

std::string ErrorName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow:
      return Tr("オーバーフロー");
    case ErrorKind::DivisionByZero:
      return Tr("0による除算");
    case ErrorKind::InvalidOperation:
      return Tr("無効な演算");
    case ErrorKind::SubscriptOutOfRange:
      return Tr("添字の範囲外");
  }
  return Tr("エラー");
}

bool Same(IntPoint a, IntPoint b) { return a.x == b.x && a.y == b.y; }

// Why the yellow curve could not be built: an end tangent of length 0, or the
// error the computation met.
std::string ApproximateMissing(const Result& result) {
  const auto& P = result.state.P;
  std::string why;
  if (Same(P[0], P[1])) {
    why = Tr("始点の接線 P(0)→P(1) の長さが0");
  } else if (Same(P[2], P[3])) {
    why = Tr("終点の接線 P(2)→P(3) の長さが0");
  } else {
    why = Format(Tr("計算が%1で止まった"),
                 {ErrorName(result.approximate->error.value_or(ErrorKind::InvalidOperation))});
  }
  return Format(Tr("%1は描けません: %2のため"), {Tr(kYellow), why});
}

std::string ApproximateLine(const Result& result) {
  if (!result.approximate) return Format(Tr("%1はオフです"), {Tr(kYellow)});
  if (!result.approximate->Q) return ApproximateMissing(result);
  return Format(Tr("%1を描いています"), {Tr(kYellow)});
}

// The parameters where the tangent vanishes, in words; empty when there are none.
std::string ZeroTangentWords(const Result& result) {
  const auto& P = result.state.P;
  geometry::Analysis tangents;
  tangents.degenerate = Same(P[0], P[1]) && Same(P[1], P[2]) && Same(P[2], P[3]);
  if (!tangents.degenerate) tangents.zeroTangent = geometry::ZeroTangents(P);
  return ZeroTangentLine(tangents);
}

}  // namespace

std::string GrabbedPointLine(const Result& result) {
  const int g = result.state.grabIndex;
  if (g < 0 || g > 3) return Tr("つかんでいる点はありません");
  std::string line =
      Format(Tr("つかんでいる点 %1"), {Bare(ControlPointLine(g, result.state.P[g]))});
  for (const int side : {g - 1, g}) {
    if (side < 0 || side > 2) continue;
    const ChordStep& chord = result.chords[side];
    line +=
        Tr("、") + (chord.line.empty() ? Format(Tr("d(P(%1),P(%2)) は計算できません"),
                                                {std::to_string(side), std::to_string(side + 1)})
                                       : Bare(chord.line));
  }
  return line;
}

std::string AccurateDescription(const Result& result) {
  if (!result.accurate) return Format(Tr("%1はオフです"), {Tr(kBlue)});
  const AccurateStep& blue = *result.accurate;
  const std::string samples = std::to_string(kBlueSamples);
  if (!blue.stoppedAt) return Format(Tr("%1を描いています（%2点）"), {Tr(kBlue), samples});
  std::string line =
      Format(Tr("%1は t = %2 の点で止まっています（%3点中 %4点まで）"),
             {Tr(kBlue), FormatGeneral(std::nearbyint(*blue.stoppedAt / 500.0 * 10000) / 10000),
              samples, std::to_string(*blue.stoppedAt)});
  const std::string zero = ZeroTangentWords(result);
  if (!zero.empty()) return line + ": " + zero;
  return line + ": " + ErrorName(blue.error.value_or(ErrorKind::InvalidOperation));
}

std::string PictureDescription(const Result& result) {
  std::string points;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) points += Tr("、");
    points += Bare(ControlPointLine(i, result.state.P[i]));
  }
  // The grabbed point first: it is what a key has just changed.
  return JoinLines({GrabbedPointLine(result), Format(Tr("制御点 %1"), {points}),
                    ApproximateLine(result), AccurateDescription(result)});
}

std::string SumDescription(const Result& result, const geometry::Analysis& analysis, int i) {
  const double n = DivisionCount(i);
  const std::string name = Format(Tr("Length(%1分割)"), {FormatGeneral(n)});
  if (!result.state.divisions.at(static_cast<std::size_t>(i))) {
    return Format(Tr("%1 はオフで、レポートに載っていません"), {name});
  }
  const std::vector<std::string> lines = LengthLines(analysis);
  for (std::size_t k = 0; k < analysis.sums.size(); ++k) {
    if (analysis.sums[k].divisions == n) return JoinLines({lines.front(), lines[k + 1]});
  }
  return Format(Tr("%1 は計算できませんでした"), {name});
}

std::string ApproximateDescription(const Result& result, const geometry::Analysis& analysis) {
  if (result.approximate && result.approximate->Q) return DeviationLine(analysis);
  return ApproximateLine(result);
}

}  // namespace scene
