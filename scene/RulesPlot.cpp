#include "RulesPlot.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "Report.h"
#include "Tr.h"

namespace scene::plot {

namespace {

using geometry::LengthRule;
using geometry::LengthRuleRow;
using geometry::LengthRulesTable;
using i18n::Format;
using i18n::Tr;

// Margins as the convergence plot's: decade labels and titles, one label
// above the area, two caption lines below (more take room from the area).
// The legend stands right of the area, kGap from it, so that it hides no row.
constexpr double kLeft = 72, kTop = 30, kBottom = 78, kGap = 10, kLegendRight = 4;
constexpr double kCaptionRight = 8;
constexpr int kDecadesOfN = 5;       // N from 10^0 to 10^5 (100,001 at most)
constexpr double kFloor = 1e-16;     // about where double precision stops
constexpr double kMarkRadius = 2.6;  // the marks of the rows
constexpr std::array<double, 3> kSlopes{-1, -2, -4};

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kGrid{0xE0, 0xE0, 0xE0};
constexpr Colour kGuide{0x80, 0x80, 0x80};
constexpr Colour kFloorColour{0x40, 0x40, 0x40};
constexpr Colour kEstimateColour{0xA0, 0x60, 0x00};
constexpr Colour kReferenceColour{0x00, 0x90, 0xA0};

struct RuleLook {
  Colour colour;
  MarkKind mark;
  const char* name;  // for the legend
};

// In kLengthRules' order.
constexpr std::array<RuleLook, 5> kLooks{{
    {{0x20, 0x40, 0xA0}, MarkKind::kDot, i18n::Mark("left（ウィンドウの和）")},
    {{0xE0, 0x80, 0x00}, MarkKind::kRing, i18n::Mark("corrected（端の補正つき）")},
    {{0x30, 0x90, 0x30}, MarkKind::kSquare, i18n::Mark("trapezoid（台形則）")},
    {{0x80, 0x30, 0xB0}, MarkKind::kTriangle, i18n::Mark("simpson（シンプソン則）")},
    {{0xD0, 0x20, 0x20}, MarkKind::kDiamond, i18n::Mark("gauss（ガウス・ルジャンドル則）")},
}};

bool Showable(const LengthRuleRow& row) {
  return row.relativeError && std::isfinite(*row.relativeError) && *row.relativeError != 0 &&
         row.evaluations > 0;
}

std::string Short(double v) { return FormatDouble(v, std::chars_format::scientific, 1); }

MarkStyle LookOf(LengthRule rule) {
  const RuleLook& look = kLooks[static_cast<std::size_t>(rule)];
  return {
      look.mark, look.mark == MarkKind::kDot ? kMarkRadius * 0.8 : kMarkRadius, {look.colour, 1}};
}

std::vector<std::string> CaptionLines(const LengthRulesTable& table, int shown, double width,
                                      const Measure& measure) {
  std::vector<std::string> pieces;
  for (std::size_t i = 0; i < table.P.size(); ++i) {
    pieces.push_back("P(" + std::to_string(i) + ") = (" + std::to_string(table.P[i].x) + ", " +
                     std::to_string(table.P[i].y) + ")");
  }
  const geometry::MeasuredLength& r = table.reference;
  std::vector<std::string> reference{Tr("真の長さ（参照値）") + std::string(" = ") +
                                     (std::isfinite(r.value)
                                          ? FormatDouble(r.value, std::chars_format::fixed, 4)
                                          : std::string(Tr("求められません"))) +
                                     (r.converged ? "" : Tr("（精度未達）"))};
  if (std::isfinite(r.value)) {
    reference.push_back(Format(Tr("（速さの評価 %1 回、誤差の見積もり %2）"),
                               {std::to_string(r.evaluations), Short(r.estimate)}));
  }
  int zero = 0, failed = 0;
  for (const LengthRuleRow& row : table.rows) {
    if (Showable(row)) continue;
    (row.absoluteError && *row.absoluteError == 0 ? zero : failed) += 1;
  }
  const std::vector<std::string> points{
      Format(Tr("点 %1 個。"), {std::to_string(shown)}),
      Format(Tr("描けない行 %1 個（誤差 0: %2、計算の失敗: %3）"),
             {std::to_string(zero + failed), std::to_string(zero), std::to_string(failed)})};
  std::vector<std::string> lines = Wrap(pieces, "   ", width, measure);
  for (std::string& line : Wrap(reference, "", width, measure)) lines.push_back(std::move(line));
  for (std::string& line : Wrap(points, "", width, measure)) lines.push_back(std::move(line));
  return lines;
}

LogAxes AxesFor(const LengthRulesTable& table, Rect area) {
  LogAxes axes{area, 0, kDecadesOfN, -16, 0};
  double least = kFloor, most = 0;
  for (const LengthRuleRow& row : table.rows) {
    if (!Showable(row)) continue;
    least = std::min(least, std::fabs(*row.relativeError));
    most = std::max(most, std::fabs(*row.relativeError));
  }
  axes.FitY(least, most);
  return axes;
}

// The guides y = 10^yHigh N^slope from the top left corner, each labelled
// with its slope where it leaves the area or two thirds of the way down.
void AddGuides(Figure& figure, const LogAxes& axes, const Pen& pen) {
  const Rect& a = axes.area;
  for (double slope : kSlopes) {
    figure.items.push_back(Guide(axes, std::pow(10.0, axes.yHigh), slope, pen));
    const double decades = (axes.yHigh - axes.yLow) * 2.0 / 3.0;
    const double x = std::min(static_cast<double>(axes.xHigh), decades / -slope);
    const Point at = axes.At(std::pow(10.0, x), std::pow(10.0, axes.yHigh + slope * x));
    const std::string label = "−" + std::to_string(static_cast<int>(-slope));
    figure.items.push_back(Text{
        label, {std::min(at.x + 4, a.Right() - 16), std::max(at.y - 4, a.top + 12)}, {}, kGuide});
  }
}

// A horizontal line across the area at `y`, when the axis shows it.
void AddLevel(Figure& figure, const LogAxes& axes, double y, const Pen& pen) {
  if (!(y > 0) || std::log10(y) < axes.yLow || std::log10(y) > axes.yHigh) return;
  const double at = axes.Y(y);
  figure.items.push_back(Line{{{axes.area.left, at}, {axes.area.Right(), at}}, pen, {}});
}

}  // namespace

RulesLayout LayOutRules(const LengthRulesTable& table, double width, double height,
                        const Measure& measure) {
  RulesLayout layout;
  Figure& figure = layout.figure;
  figure.width = width;
  figure.height = height;
  for (const LengthRuleRow& row : table.rows) layout.shown += Showable(row) ? 1 : 0;
  const std::vector<std::string> caption =
      CaptionLines(table, layout.shown, width - kLeft - kCaptionRight, measure);
  const geometry::MeasuredLength& r = table.reference;
  const double estimate = std::fabs(r.estimate / r.value);
  const bool referenceShown = std::isfinite(r.value) && r.evaluations >= 1 &&
                              std::log10(static_cast<double>(r.evaluations)) <= kDecadesOfN;

  const Pen guidePen{kGuide, 1, true}, floorPen{kFloorColour, 1.2};
  const Pen estimatePen{kEstimateColour, 1, true}, referencePen{kReferenceColour, 1.5};
  std::vector<LegendEntry> legend;
  for (LengthRule rule : geometry::kLengthRules) {
    const MarkStyle look = LookOf(rule);
    legend.push_back(
        {Pen{look.pen.colour, 0.6}, look, Tr(kLooks[static_cast<std::size_t>(rule)].name)});
  }
  legend.push_back({guidePen, {}, Tr("傾き −1, −2, −4")});
  legend.push_back({floorPen, {}, Tr("倍精度の限界 10⁻¹⁶")});
  legend.push_back({estimatePen, {}, Tr("参照値の誤差の見積もり")});
  if (referenceShown) legend.push_back({referencePen, {}, Tr("参照値の評価数")});
  double legendWidth = 0;
  for (const LegendEntry& entry : legend) {
    legendWidth = std::max(legendWidth, measure.width(entry.text, {}) + 34);
  }

  const double lineHeight = measure.height({});
  const double bottom = kBottom + static_cast<double>(caption.size() - 2) * lineHeight;
  const double right = legendWidth + kGap + kLegendRight;
  const LogAxes axes = AxesFor(table, {kLeft, kTop, width - kLeft - right, height - kTop - bottom});
  layout.axes = axes;
  const Rect& a = axes.area;
  AddLogAxes(figure, axes, Tr("速さの評価数 N"), Tr("相対誤差 |L − 真の長さ| ÷ 真の長さ"),
             {{kGrid, 1}, {kBlack, 1}, kBlack, true}, measure);

  AddGuides(figure, axes, guidePen);
  AddLevel(figure, axes, kFloor, floorPen);
  // Errors below the reference's own estimate measure the reference, not the rule.
  if (std::isfinite(estimate) && estimate > kFloor) AddLevel(figure, axes, estimate, estimatePen);
  if (referenceShown) {
    const double x = axes.X(static_cast<double>(r.evaluations));
    figure.items.push_back(Line{{{x, a.top}, {x, a.Bottom()}}, referencePen, {}});
    const std::string label = Format(Tr("参照値: 評価 %1 回"), {std::to_string(r.evaluations)});
    const double w = measure.width(label, {});
    figure.items.push_back(
        Text{label, {std::clamp(x - w / 2, 0.0, width - w), a.top - 8}, {}, kReferenceColour});
  }

  for (LengthRule rule : geometry::kLengthRules) {
    const MarkStyle look = LookOf(rule);
    std::vector<SeriesPoint> points;
    for (const LengthRuleRow& row : table.rows) {
      if (row.rule != rule || !Showable(row)) continue;
      Point at = axes.At(static_cast<double>(row.evaluations), std::fabs(*row.relativeError));
      // n + 1 = 100,001 evaluations lie a two-thousandth of a pixel past 10^5: on the frame.
      at.x = std::min(at.x, a.Right());
      points.push_back({at, look});
    }
    std::sort(points.begin(), points.end(),
              [](const SeriesPoint& p, const SeriesPoint& q) { return p.at.x < q.at.x; });
    AddSeries(figure, points, Pen{look.pen.colour, 0.6});
  }
  layout.legendBox = AddLegend(figure, {0, a.top - 6, width - kLegendRight + 6, 0}, legend,
                               {{kGuide, 1}, {255, 255, 255, 230}, kBlack}, measure);

  for (std::size_t k = 0; k < caption.size(); ++k) {
    const double above = static_cast<double>(caption.size() - 1 - k) * lineHeight;
    layout.caption.push_back({caption[k], {kLeft, height - 8 - above}, {}, kBlack});
    figure.items.push_back(layout.caption.back());
  }
  return layout;
}

std::vector<std::string> RulesSummaryLines(const LengthRulesTable& table) {
  const geometry::MeasuredLength& r = table.reference;
  std::vector<std::string> lines;
  lines.push_back(Tr("真の長さ（参照値）") + std::string(" = ") +
                  (std::isfinite(r.value) ? FormatDouble(r.value, std::chars_format::fixed, 10)
                                          : std::string(Tr("求められません"))) +
                  Format(Tr("（速さの評価 %1 回、誤差の見積もり %2）"),
                         {std::to_string(r.evaluations), Short(r.estimate)}));
  for (LengthRule rule : geometry::kLengthRules) {
    const LengthRuleRow* best = nullptr;
    const LengthRuleRow* at1000 = nullptr;
    for (const LengthRuleRow& row : table.rows) {
      if (row.rule != rule || !row.relativeError) continue;
      if (best == nullptr || std::fabs(*row.relativeError) < std::fabs(*best->relativeError)) {
        best = &row;
      }
      if (row.divisions == 1000) at1000 = &row;
    }
    std::string line = std::string(Tr(kLooks[static_cast<std::size_t>(rule)].name)) + ": ";
    if (best == nullptr) {
      lines.push_back(line + Tr("計算できません"));
      continue;
    }
    line += Format(Tr("最小の相対誤差 %1（評価 %2 回）"),
                   {Short(std::fabs(*best->relativeError)), std::to_string(best->evaluations)});
    if (at1000 != nullptr) {
      line += Format(Tr("、評価 %1 回で %2"), {std::to_string(at1000->evaluations),
                                               Short(std::fabs(*at1000->relativeError))});
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace scene::plot
