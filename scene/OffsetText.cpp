#include "OffsetText.h"

#include <cmath>
#include <optional>

#include "AnalysisText.h"
#include "Report.h"
#include "TextColumns.h"
#include "Tr.h"

namespace scene {

namespace {

using geometry::OffsetStudy;
using geometry::SplitRow;
using i18n::Format;
using i18n::Tr;

// Pieces, deviation, ratio, observed order.
constexpr int kWidths[] = {12, 14, 10, 8};

std::string Fixed(const std::optional<double>& v, int digits) {
  return v && std::isfinite(*v) ? FormatDouble(*v, std::chars_format::fixed, digits) : "-";
}

std::string List(const std::vector<std::string>& items) { return JoinLines(items, ", "); }

std::string Parameters(const std::vector<double>& t) {
  std::vector<std::string> items;
  items.reserve(t.size());
  for (double v : t) items.push_back(ParameterFigure(v));
  return List(items);
}

// A cell after the first: at least one space before it, however long it is.
std::string Next(const std::string& text, int width) { return Cell(" " + text, width); }

std::string RowLine(const std::string& label, const std::optional<double>& deviation,
                    bool converged, const SplitRow* row) {
  std::string line = Cell(label, kWidths[0]) + Next(Fixed(deviation, 4), kWidths[1]) +
                     Next(Fixed(row != nullptr ? row->ratio : std::nullopt, 2), kWidths[2]) +
                     Next(Fixed(row != nullptr ? row->order : std::nullopt, 2), kWidths[3]);
  return converged ? line : line + "  " + Tr("（精度未達）");
}

// κ at the ends and the factor at the ends and at its least sample.
std::vector<std::string> FactorLines(const OffsetStudy& study) {
  const auto scientific = [](double v) {
    return std::isfinite(v) ? FormatDouble(v, std::chars_format::scientific, 4) : Tr("不明");
  };
  const std::vector<double>& f = study.factor;
  std::vector<std::string> lines{
      Format(Tr("曲率 κ(t): t = 0 で %1、t = 1 で %2（正は画面で時計回り）"),
             {scientific(study.curvature.front()), scientific(study.curvature.back())})};
  std::string factor = Format(Tr("係数 1 + 距離·κ(t): t = 0 で %1、t = 1 で %2"),
                              {RoundedFigure(f.front()), RoundedFigure(f.back())});
  std::optional<std::size_t> least;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (std::isfinite(f[i]) && (!least || f[i] < f[*least])) least = i;
  }
  if (least) {
    const double t = static_cast<double>(*least) / static_cast<double>(f.size() - 1);
    factor += Format(Tr("、最小 %1（t = %2）"), {RoundedFigure(f[*least]), RoundedFigure(t)});
  }
  lines.push_back(factor);
  return lines;
}

std::vector<std::string> CuspLines(const OffsetStudy& study) {
  std::vector<std::string> cusps;
  for (const geometry::OffsetCusp& c : study.cusps) {
    cusps.push_back(Format(Tr("t = %1（%2, %3）"),
                           {ParameterFigure(c.t), RoundedFigure(c.x), RoundedFigure(c.y)}));
  }
  std::vector<std::string> lines{
      Format(Tr("真のオフセット曲線の尖点: %1"), {cusps.empty() ? Tr("なし") : List(cusps)})};
  if (!study.negative.empty()) {
    std::vector<std::string> ranges;
    for (const geometry::ParameterRange& r : study.negative) {
      ranges.push_back(
          Format(Tr("t = %1 〜 %2"), {ParameterFigure(r.from), ParameterFigure(r.to)}));
    }
    lines.push_back(Format(Tr("逆向きに進む範囲（係数 < 0）: %1"), {List(ranges)}));
  }
  return lines;
}

std::vector<std::string> TableLines(const OffsetStudy& study) {
  std::vector<std::string> lines{Cell(Tr("分割数"), kWidths[0]) + Next(Tr("ずれ"), kWidths[1]) +
                                 Next(Tr("比"), kWidths[2]) + Next(Tr("次数"), kWidths[3])};
  if (study.asDrawn) {
    lines.push_back(
        RowLine(Tr("描画のまま"), study.asDrawn->max, study.asDrawn->converged, nullptr));
  }
  for (const SplitRow& row : study.splitting) {
    lines.push_back(
        RowLine(std::to_string(row.pieces), row.deviation, row.converged || !row.deviation, &row));
  }
  for (std::size_t i = 0; i < geometry::kStudyTargets.size(); ++i) {
    lines.push_back(FewestLine(study, i));
  }
  return lines;
}

}  // namespace

std::string ParameterFigure(double t) {
  const double r = std::nearbyint(t * 1e9) / 1e9;
  return std::isfinite(r) ? FormatGeneral(r) : Tr("不明");
}

std::vector<std::string> OffsetLines(const OffsetStudy& study) {
  std::vector<std::string> lines{
      Format(Tr("オフセット曲線の解析（距離 %1）"), {RoundedFigure(study.distance)})};
  lines.push_back(DeviationLine(study.asDrawn, !study.asDrawn || study.asDrawn->converged));
  if (!study.curvature.empty()) {
    for (std::string& line : FactorLines(study)) lines.push_back(std::move(line));
    for (std::string& line : CuspLines(study)) lines.push_back(std::move(line));
  }
  std::string zero = ZeroTangentLine(study.zeroTangents, study.degenerate);
  if (!zero.empty()) lines.push_back(std::move(zero));
  if (!study.splitting.empty()) {
    for (std::string& line : TableLines(study)) lines.push_back(std::move(line));
  }
  return lines;
}

std::string FewestLine(const OffsetStudy& study, std::size_t target) {
  const std::string head =
      Format(Tr("%1 px 未満になる最少の分割数"), {FormatGeneral(geometry::kStudyTargets[target])}) +
      " = ";
  if (const std::optional<int> k = study.fewest[target]) return head + std::to_string(*k);
  std::string line =
      head + Format(Tr("%1 分割まででは届きません"),
                    {std::to_string(geometry::kStudyPieces[geometry::kStudyPieces.size() - 1])});
  std::vector<double> cusps;
  for (const geometry::OffsetCusp& c : study.cusps) cusps.push_back(c.t);
  if (!cusps.empty()) return line + Format(Tr("（t = %1 に尖点）"), {Parameters(cusps)});
  if (!study.zeroTangents.empty()) {
    return line + Format(Tr("（t = %1 で接線の長さが 0）"), {Parameters(study.zeroTangents)});
  }
  return line;
}

}  // namespace scene
