#include "PlotLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "Design.h"
#include "DivisionCounts.h"
#include "PlotSlope.h"
#include "Report.h"
#include "Tr.h"

namespace scene::plot {

namespace {

using geometry::ConvergenceRow;
using geometry::ConvergenceTable;
using i18n::Format;
using i18n::Tr;

// Margins of the plotting area: room for the decade labels and axis titles,
// the labels of the window's counts above the area, and two caption lines
// below (each further line of a wrapped caption takes its height from the area).
constexpr double kLeft = 72, kRight = 24, kTop = 30, kBottom = 78;
// The caption keeps this far from the right edge.
constexpr double kCaptionRight = 8;
constexpr int kDecadesOfN = 5;       // n from 10^0 to 10^5
constexpr int kMostErrorLabels = 8;  // labelled decades of the error; more are thinned

using geometry::kDivisionCounts;

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kLineColour{0x20, 0x40, 0xA0};
constexpr Colour kLightLineColour{0x44, 0x73, 0xFF};  // kLineColour, 170 % lighter
constexpr Colour kQuirkColour{0xD0, 0x20, 0x20};
constexpr Colour kTickedColour{0xE0, 0x80, 0x00};
constexpr Colour kTickedText{0xAC, 0x62, 0x00};  // kTickedColour, 130 % darker
constexpr Colour kUntickedColour{0x90, 0x90, 0x90};
constexpr Colour kUntickedText{0x60, 0x60, 0x60};  // kUntickedColour, 150 % darker
constexpr Colour kSlopeColour{0x30, 0x90, 0x30};

struct Axes {
  Rect area;
  int low = -6, high = 0;
  double X(double n) const { return area.left + std::log10(n) / kDecadesOfN * area.width; }
  double Y(double e) const {
    return area.Bottom() - (std::log10(e) - low) / (high - low) * area.height;
  }
  Point At(const ConvergenceRow& row) const {
    return {X(row.divisions), Y(std::fabs(*row.relativeError))};
  }
};

std::string Fixed4(double value) { return FormatDouble(value, std::chars_format::fixed, 4); }

// `pieces` joined by `separator`, broken into lines no wider than `width`
// between pieces (a piece wider than that stands alone on its line).
std::vector<std::string> Wrap(const std::vector<std::string>& pieces, const char* separator,
                              double width, const Measure& measure) {
  std::vector<std::string> lines;
  for (const std::string& piece : pieces) {
    if (!lines.empty()) {
      const std::string longer = lines.back() + separator + piece;
      if (measure.width(longer, {}) <= width) {
        lines.back() = longer;
        continue;
      }
    }
    lines.push_back(piece);
  }
  return lines;
}

std::vector<std::string> CaptionLines(const ConvergenceTable& table, double width,
                                      const Measure& measure) {
  std::vector<std::string> reference;
  for (std::size_t i = 0; i < table.P.size(); ++i) {
    reference.push_back("P(" + std::to_string(i) + ") = (" + std::to_string(table.P[i].x) + ", " +
                        std::to_string(table.P[i].y) + ")");
  }
  reference.push_back(Tr("真の長さ（参照値）") + std::string(" = ") +
                      (std::isfinite(table.referenceLength) ? Fixed4(table.referenceLength)
                                                            : std::string(Tr("求められません"))) +
                      (table.referenceConverged ? "" : Tr("（精度未達）")));
  const Counts counts = CountRows(table);
  const std::vector<std::string> points{
      Format(Tr("点 %1 個（うち標本数 ≠ n %2 個）。"),
             {std::to_string(counts.shown), std::to_string(counts.quirks)}),
      Format(Tr("描けない行 %1 個（誤差 0: %2、計算の失敗: %3）"),
             {std::to_string(counts.zero + counts.failed), std::to_string(counts.zero),
              std::to_string(counts.failed)})};
  std::vector<std::string> lines = Wrap(reference, "   ", width, measure);
  for (std::string& line : Wrap(points, "", width, measure)) lines.push_back(std::move(line));
  return lines;
}

Axes AxesFor(const ConvergenceTable& table, Rect area) {
  Axes axes{area};
  double least = INFINITY, most = 0;
  for (const ConvergenceRow& row : table.rows) {
    if (!Showable(row)) continue;
    least = std::min(least, std::fabs(*row.relativeError));
    most = std::max(most, std::fabs(*row.relativeError));
  }
  if (most > 0) {
    axes.low = static_cast<int>(std::floor(std::log10(least)));
    axes.high = std::max(static_cast<int>(std::ceil(std::log10(most))), axes.low + 1);
  }
  return axes;
}

void LayOutAxes(Layout& layout, const Axes& axes, const Measure& measure) {
  const Rect& a = axes.area;
  layout.area = a;
  layout.low = axes.low;
  layout.high = axes.high;
  layout.gridPen = {{0xE0, 0xE0, 0xE0}, 1};
  layout.framePen = {kBlack, 1};
  for (int k = 0; k <= kDecadesOfN; ++k) layout.gridX.push_back(axes.X(std::pow(10.0, k)));
  for (int e = axes.low; e <= axes.high; ++e) layout.gridY.push_back(axes.Y(std::pow(10.0, e)));
  const TextStyle base, small{kPowerPixels};
  const double height = measure.height(base);
  for (int k = 0; k <= kDecadesOfN; ++k) {
    std::string label(static_cast<std::size_t>(k) + 1, '0');
    label[0] = '1';
    const double x = axes.X(std::pow(10.0, k)) - measure.width(label, base) / 2;
    layout.xLabels.push_back({std::move(label), {x, a.Bottom() + height}, base, kBlack});
  }
  const int step = (axes.high - axes.low + kMostErrorLabels - 1) / kMostErrorLabels;
  const double right = a.left - 4;
  const double tenWidth = measure.width("10", base);
  for (int e = axes.high; e >= axes.low; e -= step) {
    // "10" with the exponent raised, right-aligned at `right`, centred on the decade.
    std::string power = std::to_string(e < 0 ? -e : e);
    if (e < 0) power.insert(0, "−");
    const double powerWidth = measure.width(power, small);
    const double baseline = axes.Y(std::pow(10.0, e)) + measure.ascent(base) / 2 - 1;
    layout.yLabels.push_back({"10", {right - powerWidth - tenWidth, baseline}, base, kBlack});
    layout.yLabels.push_back(
        {std::move(power), {right - powerWidth, baseline - kFontPixels / 2.0}, small, kBlack});
  }
  const std::string xTitle = Tr("分割数 n");
  layout.xTitle = {xTitle,
                   {a.Centre().x - measure.width(xTitle, base) / 2, a.Bottom() + 2 * height + 2},
                   base,
                   kBlack};
  const std::string yTitle = Tr("相対誤差 |L − 真の長さ| ÷ 真の長さ");
  layout.yTitle = {
      yTitle, {height, a.Centre().y + measure.width(yTitle, base) / 2}, base, kBlack, true};
}

void LayOutMarks(Layout& layout, const Axes& axes, const ConvergenceTable& table,
                 const std::array<bool, 4>& ticked, const Measure& measure) {
  for (std::size_t i = 0; i < kDivisionCounts.size(); ++i) {
    CountMark& mark = layout.marks[i];
    mark.x = axes.X(kDivisionCounts[i]);
    mark.pen = ticked[i] ? Pen{kTickedColour, 2} : Pen{kUntickedColour, 1, true};
    const TextStyle style{kFontPixels, ticked[i]};
    const std::string label = Tr(kCheck1Captions[i]);
    mark.label = {label,
                  {mark.x - measure.width(label, style) / 2, axes.area.top - 8},
                  style,
                  ticked[i] ? kTickedText : kUntickedText};
    for (const ConvergenceRow& row : table.rows) {
      if (row.divisions == kDivisionCounts[i] && Showable(row) && ticked[i])
        mark.ring = axes.At(row);
    }
  }
}

void LayOutLegend(Layout& layout, const Measure& measure) {
  const TextStyle base;
  const std::array<std::string, 3> texts{Tr("和の相対誤差"), Tr("標本数 ≠ n の和（99点 など）"),
                                         Tr("傾き −1（誤差 ∝ 1/n）")};
  double width = 0;
  for (const std::string& text : texts) width = std::max(width, measure.width(text, base));
  const double line = measure.height(base) + 2;
  const Rect& a = layout.area;
  layout.legendBox = {a.Right() - width - 40, a.top + 6, width + 34, 3 * line + 6};
  layout.legendPen = {kUntickedColour, 1};
  layout.legendFill = {255, 255, 255, 230};
  // The sums' line with a dot, a ring, the slope's line.
  const std::array<std::optional<Pen>, 3> lines{layout.linePen, std::nullopt, layout.slopePen};
  const std::array<LegendMark, 3> marks{LegendMark::kDot, LegendMark::kRing, LegendMark::kNone};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const Rect& box = layout.legendBox;
    const double y = box.top + 3 + line * (static_cast<double>(i) + 0.5);
    const Point to{box.left + 24, y};
    layout.legend[i] = {{box.left + 6, y},
                        to,
                        lines[i],
                        marks[i],
                        {texts[i], {to.x + 6, y + measure.ascent(base) / 2 - 1}, base, kBlack}};
  }
}

}  // namespace

std::vector<std::string> WindowCountLines(const geometry::ConvergenceTable& table) {
  using i18n::Format;
  using i18n::Tr;
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
    for (const geometry::ConvergenceRow& row : table.rows) {
      if (row.divisions != geometry::kDivisionCounts[i]) continue;
      std::string text = std::string(Tr(kCheck1Captions[i])) +
                         Format(Tr("：%1点、"), {std::to_string(row.samples)});
      if (!row.length) {
        text += Tr("計算できません");
      } else {
        text += Tr("長さ ") + Fixed4(*row.length);
        if (row.absoluteError) text += Tr("、誤差 ") + Fixed4(*row.absoluteError);
        if (row.relativeError) text += Format(Tr("（%1%）"), {Fixed4(*row.relativeError * 100)});
      }
      lines.push_back(text);
    }
  }
  if (!table.referenceConverged) lines.emplace_back(Tr("真の長さ（参照値）は精度未達です"));
  return lines;
}

Counts CountRows(const ConvergenceTable& table) {
  Counts counts;
  for (const ConvergenceRow& row : table.rows) {
    if (Showable(row)) {
      ++counts.shown;
      if (Quirk(row)) ++counts.quirks;
    } else if (row.absoluteError && *row.absoluteError == 0) {
      ++counts.zero;
    } else {
      ++counts.failed;
    }
  }
  return counts;
}

Layout LayOut(const ConvergenceTable& table, const std::array<bool, 4>& ticked, double width,
              double height, const Measure& measure) {
  Layout layout;
  const std::vector<std::string> caption =
      CaptionLines(table, width - kLeft - kCaptionRight, measure);
  const double lineHeight = measure.height({});
  const double bottom = kBottom + static_cast<double>(caption.size() - 2) * lineHeight;
  const Axes axes = AxesFor(table, {kLeft, kTop, width - kLeft - kRight, height - kTop - bottom});
  LayOutAxes(layout, axes, measure);

  layout.slopePen = {kSlopeColour, 1, true};
  if (const std::optional<double> c = SlopeConstant(table)) {
    layout.slope =
        std::array<Point, 2>{Point{axes.X(1), axes.Y(*c)}, Point{axes.X(1e5), axes.Y(*c / 1e5)}};
  }
  LayOutMarks(layout, axes, table, ticked, measure);

  layout.linePen = {kLightLineColour, 0.8};
  layout.dotColour = kLineColour;
  layout.ringPen = {kQuirkColour, 1.5};
  for (const ConvergenceRow& row : table.rows) {
    if (!Showable(row)) continue;
    layout.line.push_back(axes.At(row));
    layout.dots.push_back({axes.At(row), Quirk(row)});
  }
  LayOutLegend(layout, measure);

  for (std::size_t k = 0; k < caption.size(); ++k) {
    const double above = static_cast<double>(caption.size() - 1 - k) * lineHeight;
    layout.caption.push_back({caption[k], {kLeft, height - 8 - above}, {}, kBlack});
  }
  return layout;
}

}  // namespace scene::plot
