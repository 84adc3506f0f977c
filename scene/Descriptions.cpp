#include "Descriptions.h"

#include <cmath>

#include "AnalysisText.h"
#include "Report.h"

namespace scene {

namespace {

constexpr const char* kYellow = "近似オフセット曲線（黄）";
constexpr const char* kBlue = "正確なオフセット曲線（青）";
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
      return "オーバーフロー";
    case ErrorKind::DivisionByZero:
      return "0による除算";
    case ErrorKind::InvalidOperation:
      return "無効な演算";
    case ErrorKind::SubscriptOutOfRange:
      return "添字の範囲外";
  }
  return "エラー";
}

bool Same(IntPoint a, IntPoint b) { return a.x == b.x && a.y == b.y; }

// Why the yellow curve could not be built: an end tangent of length 0, or the
// error the computation met.
std::string ApproximateMissing(const Result& result) {
  const auto& P = result.state.P;
  std::string why;
  if (Same(P[0], P[1])) {
    why = "始点の接線 P(0)→P(1) の長さが0";
  } else if (Same(P[2], P[3])) {
    why = "終点の接線 P(2)→P(3) の長さが0";
  } else {
    why = "計算が" + ErrorName(result.approximate->error.value_or(ErrorKind::InvalidOperation)) +
          "で止まった";
  }
  return std::string(kYellow) + "は描けません: " + why + "のため";
}

std::string ApproximateLine(const Result& result) {
  if (!result.approximate) return std::string(kYellow) + "はオフです";
  if (!result.approximate->Q) return ApproximateMissing(result);
  return std::string(kYellow) + "を描いています";
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
  if (g < 0 || g > 3) return "つかんでいる点はありません";
  std::string line = "つかんでいる点 " + Bare(ControlPointLine(g, result.state.P[g]));
  for (const int side : {g - 1, g}) {
    if (side < 0 || side > 2) continue;
    const ChordStep& chord = result.chords[side];
    line += "、" + (chord.line.empty() ? "d(P(" + std::to_string(side) + "),P(" +
                                             std::to_string(side + 1) + ")) は計算できません"
                                       : Bare(chord.line));
  }
  return line;
}

std::string AccurateDescription(const Result& result) {
  if (!result.accurate) return std::string(kBlue) + "はオフです";
  const AccurateStep& blue = *result.accurate;
  if (!blue.stoppedAt)
    return std::string(kBlue) + "を描いています（" + std::to_string(kBlueSamples) + "点）";
  std::string line = std::string(kBlue) + "は t = " +
                     FormatGeneral(std::nearbyint(*blue.stoppedAt / 500.0 * 10000) / 10000) +
                     " の点で止まっています（" + std::to_string(kBlueSamples) + "点中 " +
                     std::to_string(*blue.stoppedAt) + "点まで）";
  const std::string zero = ZeroTangentWords(result);
  if (!zero.empty()) return line + ": " + zero;
  return line + ": " + ErrorName(blue.error.value_or(ErrorKind::InvalidOperation));
}

std::string PictureDescription(const Result& result) {
  std::string points = "制御点 ";
  for (int i = 0; i < 4; ++i) {
    if (i > 0) points += "、";
    points += Bare(ControlPointLine(i, result.state.P[i]));
  }
  // The grabbed point first: it is what a key has just changed.
  return JoinLines(
      {GrabbedPointLine(result), points, ApproximateLine(result), AccurateDescription(result)});
}

std::string SumDescription(const Result& result, const geometry::Analysis& analysis, int i) {
  const double n = DivisionCount(i);
  const std::string name = "Length(" + FormatGeneral(n) + "分割)";
  if (!result.state.divisions.at(static_cast<std::size_t>(i))) {
    return name + " はオフで、レポートに載っていません";
  }
  const std::vector<std::string> lines = LengthLines(analysis);
  for (std::size_t k = 0; k < analysis.sums.size(); ++k) {
    if (analysis.sums[k].divisions == n) return JoinLines({lines.front(), lines[k + 1]});
  }
  return name + " は計算できませんでした";
}

std::string ApproximateDescription(const Result& result, const geometry::Analysis& analysis) {
  if (result.approximate && result.approximate->Q) return DeviationLine(analysis);
  return ApproximateLine(result);
}

}  // namespace scene
