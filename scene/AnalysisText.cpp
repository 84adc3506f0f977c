#include "AnalysisText.h"

#include <cmath>

#include "Report.h"

namespace scene {

namespace {

// Rounded to four decimals like the report's lengths, round(v·10000)/10000 in
// the general format, but without the 32-bit limit: a reference length or a
// deviation can exceed 214748 px for far-out points.
std::string Rounded(double v) {
  const double r = std::nearbyint(v * 10000) / 10000;
  return std::isfinite(r) ? FormatGeneral(r) : "不明";
}

// Appended to a figure that fell short of its stated accuracy.
constexpr const char* kShort = "（精度未達）";

}  // namespace

std::vector<std::string> AnalysisLines(const geometry::Analysis& analysis) {
  std::vector<std::string> lines = LengthLines(analysis);
  lines.push_back(DeviationLine(analysis));
  std::string zero = ZeroTangentLine(analysis);
  if (!zero.empty()) lines.push_back(std::move(zero));
  return lines;
}

std::vector<std::string> LengthLines(const geometry::Analysis& analysis) {
  std::vector<std::string> lines;
  lines.push_back("真の長さ（参照値） = " + Rounded(analysis.referenceLength) +
                  (analysis.converged.referenceLength ? "" : kShort));
  for (const geometry::LengthSum& sum : analysis.sums) {
    std::string line =
        "Length(" + Rounded(sum.divisions) + "分割) の誤差 = " + Rounded(sum.absoluteError) + "（";
    if (sum.relativeError) line += Rounded(*sum.relativeError * 100) + "%、";
    line += std::to_string(sum.samples) + "点）";
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string DeviationLine(const geometry::Analysis& analysis) {
  if (!analysis.approximateDeviation) return "近似オフセット曲線（黄）は描かれていません";
  return "近似オフセット曲線（黄）のずれ = 最大 " + Rounded(analysis.approximateDeviation->max) +
         "（u = " + Rounded(analysis.approximateDeviation->u) + "）" +
         (analysis.converged.approximateDeviation ? "" : kShort);
}

std::string ZeroTangentLine(const geometry::Analysis& analysis) {
  if (analysis.degenerate) return "4つの制御点が重なっていて、接線の長さはどこでも0です";
  if (analysis.zeroTangent.empty()) return {};
  std::string line = "接線の長さが0になる t = ";
  for (std::size_t i = 0; i < analysis.zeroTangent.size(); ++i) {
    if (i > 0) line += ", ";
    line += Rounded(analysis.zeroTangent[i]);
  }
  return line;
}

std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += separator;
    text += lines[i];
  }
  return text;
}

}  // namespace scene
