#include "AnalysisText.h"

#include <cmath>

#include "Report.h"
#include "Tr.h"

namespace scene {

namespace {

using i18n::Format;
using i18n::Tr;

// Rounded to four decimals like the report's lengths, round(v·10000)/10000 in
// the general format, but without the 32-bit limit: a reference length or a
// deviation can exceed 214748 px for far-out points.
std::string Rounded(double v) { return RoundedFigure(v); }

// Appended to a figure that fell short of its stated accuracy.
constexpr const char* kShort = i18n::Mark("（精度未達）");

}  // namespace

std::string RoundedFigure(double v) {
  const double r = std::nearbyint(v * 10000) / 10000;
  return std::isfinite(r) ? FormatGeneral(r) : Tr("不明");
}

std::vector<std::string> AnalysisLines(const geometry::Analysis& analysis) {
  std::vector<std::string> lines = LengthLines(analysis);
  lines.push_back(DeviationLine(analysis));
  std::string zero = ZeroTangentLine(analysis);
  if (!zero.empty()) lines.push_back(std::move(zero));
  return lines;
}

std::vector<std::string> LengthLines(const geometry::Analysis& analysis) {
  std::vector<std::string> lines;
  lines.push_back(Tr("真の長さ（参照値）") + std::string(" = ") +
                  Rounded(analysis.referenceLength) +
                  (analysis.converged.referenceLength ? "" : Tr(kShort)));
  for (const geometry::LengthSum& sum : analysis.sums) {
    const std::string samples = std::to_string(sum.samples);
    lines.push_back(Format(Tr("Length(%1分割) の誤差"), {Rounded(sum.divisions)}) + " = " +
                    Rounded(sum.absoluteError) +
                    (sum.relativeError
                         ? Format(Tr("（%1%、%2点）"), {Rounded(*sum.relativeError * 100), samples})
                         : Format(Tr("（%1点）"), {samples})));
  }
  return lines;
}

std::string DeviationLine(const geometry::Analysis& analysis) {
  return DeviationLine(analysis.approximateDeviation, analysis.converged.approximateDeviation);
}

std::string DeviationLine(const std::optional<geometry::Deviation>& deviation, bool converged) {
  if (!deviation) return Tr("近似オフセット曲線（黄）は描かれていません");
  return Tr("近似オフセット曲線（黄）のずれ") + std::string(" = ") +
         Format(Tr("最大 %1（u = %2）"), {Rounded(deviation->max), Rounded(deviation->u)}) +
         (converged ? "" : Tr(kShort));
}

std::string ZeroTangentLine(const geometry::Analysis& analysis) {
  return ZeroTangentLine(analysis.zeroTangent, analysis.degenerate);
}

std::string ZeroTangentLine(const std::vector<double>& zeroTangent, bool degenerate) {
  if (degenerate) return Tr("4つの制御点が重なっていて、接線の長さはどこでも0です");
  if (zeroTangent.empty()) return {};
  std::string line = Tr("接線の長さが0になる t") + std::string(" = ");
  for (std::size_t i = 0; i < zeroTangent.size(); ++i) {
    if (i > 0) line += ", ";
    line += Rounded(zeroTangent[i]);
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
