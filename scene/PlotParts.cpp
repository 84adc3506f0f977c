#include "PlotParts.h"

#include <algorithm>
#include <cmath>

namespace scene::plot {

namespace {

// Labelled decades of y at most; more are thinned to every second, third, ...
constexpr int kMostYLabels = 8;

// "10" with the exponent `e` raised, right-aligned at `right` on `baseline`.
void AddPower(std::vector<Item>& items, int e, double right, double baseline, Colour colour,
              const Measure& measure) {
  const TextStyle base, small{kPowerPixels};
  std::string power = std::to_string(e < 0 ? -e : e);
  if (e < 0) power.insert(0, "−");
  const double powerWidth = measure.width(power, small);
  items.push_back(
      Text{"10", {right - powerWidth - measure.width("10", base), baseline}, base, colour});
  items.push_back(
      Text{std::move(power), {right - powerWidth, baseline - kFontPixels / 2.0}, small, colour});
}

}  // namespace

double LogAxes::X(double x) const {
  return area.left + (std::log10(x) - xLow) / (xHigh - xLow) * area.width;
}

double LogAxes::Y(double y) const {
  return area.Bottom() - (std::log10(y) - yLow) / (yHigh - yLow) * area.height;
}

void LogAxes::FitY(double least, double most) {
  if (!(most > 0)) return;
  yLow = static_cast<int>(std::floor(std::log10(least)));
  yHigh = std::max(static_cast<int>(std::ceil(std::log10(most))), yLow + 1);
}

Text AddLogAxes(Figure& figure, const LogAxes& axes, const std::string& xTitle,
                const std::string& yTitle, const AxesStyle& style, const Measure& measure) {
  const Rect& a = axes.area;
  std::vector<Item>& items = figure.items;
  for (int k = axes.xLow; k <= axes.xHigh; ++k) {
    const double x = axes.X(std::pow(10.0, k));
    items.push_back(Line{{{x, a.top}, {x, a.Bottom()}}, style.grid, {}});
  }
  for (int e = axes.yLow; e <= axes.yHigh; ++e) {
    const double y = axes.Y(std::pow(10.0, e));
    items.push_back(Line{{{a.left, y}, {a.Right(), y}}, style.grid, {}});
  }
  items.push_back(Box{a, style.frame, {}});

  const TextStyle base;
  const double height = measure.height(base);
  for (int k = axes.xLow; k <= axes.xHigh; ++k) {
    const double centre = axes.X(std::pow(10.0, k));
    if (style.xPowers) {
      const double half =
          (measure.width("10", base) + measure.width(std::to_string(k), {kPowerPixels})) / 2;
      AddPower(items, k, centre + half, a.Bottom() + height, style.text, measure);
      continue;
    }
    std::string label(static_cast<std::size_t>(k) + 1, '0');
    label[0] = '1';
    const double x = centre - measure.width(label, base) / 2;
    items.push_back(Text{std::move(label), {x, a.Bottom() + height}, base, style.text});
  }
  const int step = (axes.yHigh - axes.yLow + kMostYLabels - 1) / kMostYLabels;
  for (int e = axes.yHigh; e >= axes.yLow; e -= step) {
    // Centred on the decade, right-aligned left of the frame.
    const double baseline = axes.Y(std::pow(10.0, e)) + measure.ascent(base) / 2 - 1;
    AddPower(items, e, a.left - 4, baseline, style.text, measure);
  }
  Text x{xTitle,
         {a.Centre().x - measure.width(xTitle, base) / 2, a.Bottom() + 2 * height + 2},
         base,
         style.text};
  items.push_back(x);
  items.push_back(Text{
      yTitle, {height, a.Centre().y + measure.width(yTitle, base) / 2}, base, style.text, true});
  return x;
}

Line Guide(const LogAxes& axes, double c, double slope, const Pen& pen) {
  // c / x^-slope rather than c x^slope: a slope of -1 then divides by x exactly.
  const double from = std::pow(10.0, axes.xLow), to = std::pow(10.0, axes.xHigh);
  return {{axes.At(from, c / std::pow(from, -slope)), axes.At(to, c / std::pow(to, -slope))},
          pen,
          axes.area};
}

void AddSeries(Figure& figure, const std::vector<SeriesPoint>& points,
               const std::optional<Pen>& line) {
  if (line) {
    Line through{{}, *line, {}};
    for (const SeriesPoint& point : points) through.points.push_back(point.at);
    figure.items.push_back(std::move(through));
  }
  for (const SeriesPoint& point : points) figure.items.push_back(Mark{point.at, point.mark});
}

Rect AddLegend(Figure& figure, const Rect& area, const std::vector<LegendEntry>& entries,
               const LegendStyle& style, const Measure& measure) {
  const TextStyle base;
  double width = 0;
  for (const LegendEntry& entry : entries) width = std::max(width, measure.width(entry.text, base));
  const double line = measure.height(base) + 2;
  const double count = static_cast<double>(entries.size());
  const Rect box{area.Right() - width - 40, area.top + 6, width + 34, count * line + 6};
  figure.items.push_back(Box{box, style.box, style.fill});
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const double y = box.top + 3 + line * (static_cast<double>(i) + 0.5);
    const Point from{box.left + 6, y}, to{box.left + 24, y};
    if (entries[i].line) figure.items.push_back(Line{{from, to}, *entries[i].line, {}});
    if (entries[i].mark) {
      figure.items.push_back(Mark{{(from.x + to.x) / 2, (from.y + to.y) / 2}, *entries[i].mark});
    }
    figure.items.push_back(
        Text{entries[i].text, {to.x + 6, y + measure.ascent(base) / 2 - 1}, base, style.text});
  }
  return box;
}

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

}  // namespace scene::plot
