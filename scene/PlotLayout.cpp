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
constexpr int kDecadesOfN = 5;  // n from 10^0 to 10^5

// Radii of the marks: the dot of a row, the ring of a row whose sample count
// differs from n, and the ring around the row of a ticked count.
constexpr double kDotRadius = 1.8;
constexpr double kQuirkRing = 4;
constexpr double kCountRing = 7;

using geometry::kDivisionCounts;

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kGridColour{0xE0, 0xE0, 0xE0};
constexpr Colour kLineColour{0x20, 0x40, 0xA0};
constexpr Colour kLightLineColour{0x44, 0x73, 0xFF};  // kLineColour, 170 % lighter
constexpr Colour kQuirkColour{0xD0, 0x20, 0x20};
constexpr Colour kTickedColour{0xE0, 0x80, 0x00};
constexpr Colour kTickedText{0xAC, 0x62, 0x00};  // kTickedColour, 130 % darker
constexpr Colour kUntickedColour{0x90, 0x90, 0x90};
constexpr Colour kUntickedText{0x60, 0x60, 0x60};  // kUntickedColour, 150 % darker
constexpr Colour kSlopeColour{0x30, 0x90, 0x30};

// A row's place on the axes.
Point At(const LogAxes& axes, const ConvergenceRow& row) {
  return axes.At(row.divisions, std::fabs(*row.relativeError));
}

std::string Fixed4(double value) { return FormatDouble(value, std::chars_format::fixed, 4); }

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

LogAxes AxesFor(const ConvergenceTable& table, Rect area) {
  LogAxes axes{area, 0, kDecadesOfN, -6, 0};
  double least = INFINITY, most = 0;
  for (const ConvergenceRow& row : table.rows) {
    if (!Showable(row)) continue;
    least = std::min(least, std::fabs(*row.relativeError));
    most = std::max(most, std::fabs(*row.relativeError));
  }
  axes.FitY(least, most);
  return axes;
}

// The window's four counts: a vertical mark over the whole area, its label
// above it, and a ring around the row of that n when ticked.
void AddWindowCounts(Figure& figure, const LogAxes& axes, const ConvergenceTable& table,
                     const std::array<bool, 4>& ticked, const Measure& measure) {
  const Rect& a = axes.area;
  for (std::size_t i = 0; i < kDivisionCounts.size(); ++i) {
    const double x = axes.X(kDivisionCounts[i]);
    const Pen pen = ticked[i] ? Pen{kTickedColour, 2} : Pen{kUntickedColour, 1, true};
    const TextStyle style{kFontPixels, ticked[i]};
    figure.items.push_back(Group{style});
    figure.items.push_back(Line{{{x, a.top}, {x, a.Bottom()}}, pen, {}});
    const std::string label = Tr(kCheck1Captions[i]);
    figure.items.push_back(Text{label,
                                {x - measure.width(label, style) / 2, a.top - 8},
                                style,
                                ticked[i] ? kTickedText : kUntickedText});
    std::optional<Point> ring;
    for (const ConvergenceRow& row : table.rows) {
      if (ticked[i] && row.divisions == kDivisionCounts[i] && Showable(row)) ring = At(axes, row);
    }
    if (ring) figure.items.push_back(Mark{*ring, {MarkKind::kRing, kCountRing, pen}});
    figure.items.push_back(EndGroup{});
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
  Figure& figure = layout.figure;
  figure.width = width;
  figure.height = height;
  const std::vector<std::string> caption =
      CaptionLines(table, width - kLeft - kCaptionRight, measure);
  const double lineHeight = measure.height({});
  const double bottom = kBottom + static_cast<double>(caption.size() - 2) * lineHeight;
  const LogAxes axes =
      AxesFor(table, {kLeft, kTop, width - kLeft - kRight, height - kTop - bottom});
  layout.axes = axes;
  layout.xTitle = AddLogAxes(figure, axes, Tr("分割数 n"), Tr("相対誤差 |L − 真の長さ| ÷ 真の長さ"),
                             {{kGridColour, 1}, {kBlack, 1}, kBlack}, measure);

  layout.slopePen = {kSlopeColour, 1, true};
  if (const std::optional<double> c = SlopeConstant(table)) {
    const Line slope = Guide(axes, *c, -1, layout.slopePen);
    layout.slope = std::array<Point, 2>{slope.points[0], slope.points[1]};
    figure.items.push_back(slope);
  }
  AddWindowCounts(figure, axes, table, ticked, measure);

  layout.linePen = {kLightLineColour, 0.8};
  const MarkStyle dot{MarkKind::kDot, kDotRadius, {kLineColour, 1}};
  const MarkStyle ring{MarkKind::kRing, kQuirkRing, {kQuirkColour, 1.5}};
  std::vector<SeriesPoint> rows;
  for (const ConvergenceRow& row : table.rows) {
    if (Showable(row)) rows.push_back({At(axes, row), Quirk(row) ? ring : dot});
  }
  AddSeries(figure, rows, layout.linePen);
  layout.legend = {{layout.linePen, dot, Tr("和の相対誤差")},
                   {{}, ring, Tr("標本数 ≠ n の和（99点 など）")},
                   {layout.slopePen, {}, Tr("傾き −1（誤差 ∝ 1/n）")}};
  AddLegend(figure, axes.area, layout.legend, {{kUntickedColour, 1}, {255, 255, 255, 230}, kBlack},
            measure);

  for (std::size_t k = 0; k < caption.size(); ++k) {
    const double above = static_cast<double>(caption.size() - 1 - k) * lineHeight;
    layout.caption.push_back({caption[k], {kLeft, height - 8 - above}, {}, kBlack});
    figure.items.push_back(layout.caption.back());
  }
  return layout;
}

}  // namespace scene::plot
