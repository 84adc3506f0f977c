// The offset plot's two panels over a shared axis of the parameter (u of the
// yellow curve, t of the curve, both 0 to 1), in this order: the shading of
// the ranges where the factor is negative, the grids and frames, the grey
// band under 0.01 px, the curves of h (8, 4, 2 pieces, then the drawn curve
// on top, with a ring at its largest value), the factor and its zero line,
// the marks of the cusps and zero tangents, the labels, then the titles with
// the legend above and the caption below (OffsetLayoutText.cpp).

#include <algorithm>
#include <cmath>

#include "OffsetLayout.h"
#include "OffsetLayoutDetail.h"
#include "Report.h"
#include "Tr.h"

namespace scene::plot {

namespace {

using geometry::OffsetStudy;
using i18n::Tr;

// Margins: room for the value labels on the left; the panels' gap.
constexpr double kLeft = 58, kRight = 14, kEdge = 8, kGap = 6;
// The top panel's share of the height both panels get.
constexpr double kTopShare = 0.58;
// The lowest decade of the top panel: a decade under the measure's floor.
constexpr int kLowestDecade = -3;
// The measure's floor: below it a deviation is not vouched for.
constexpr double kFloor = 0.01;
// The factor's axis shows at most this far from 0, whatever the factor
// reaches near a zero tangent.
constexpr double kFactorReach = 5;
// The parameter's grid lines.
constexpr std::array<double, 5> kParameterTicks{0, 0.25, 0.5, 0.75, 1};

constexpr Colour kGridColour{0xE0, 0xE0, 0xE0};
constexpr Colour kFloorFill{0xEC, 0xEC, 0xEC};
constexpr Colour kTextColour{0, 0, 0};

double ParameterX(const Rect& a, double t) { return a.left + t * a.width; }

// The top panel's log scale.
struct LogY {
  Rect area;
  int low = kLowestDecade, high = 0;
  double Y(double v) const {
    const double e = std::log10(std::max(v, std::pow(10.0, low)));
    return area.Bottom() - (e - low) / (high - low) * area.height;
  }
};

// The bottom panel's linear scale.
struct LinearY {
  Rect area;
  double low = 0, high = 1;
  double Y(double v) const { return area.Bottom() - (v - low) / (high - low) * area.height; }
};

void Label(Figure& figure, const std::string& text, double right, double centreY,
           const Measure& measure) {
  figure.items.push_back(Text{
      text, {right - measure.width(text, {}), centreY + measure.ascent({}) / 2}, {}, kTextColour});
}

// A decade as a plain number (0.001 ... 1000) or, beyond, as 1e-5, 1e6.
std::string Decade(int e) {
  if (e >= -3 && e <= 3) return FormatGeneral(std::pow(10.0, e));
  return "1e" + std::to_string(e);
}

void AddFrame(Figure& figure, const Rect& a) {
  for (double t : kParameterTicks) {
    const double x = ParameterX(a, t);
    figure.items.push_back(Line{{{x, a.top}, {x, a.Bottom()}}, {kGridColour, 1}, {}});
  }
}

// The curve of h through its finite values, broken where it is undefined.
void AddDistances(Figure& figure, const LogY& axis, const std::vector<double>& h, const Pen& pen) {
  Line line{{}, pen, axis.area};
  for (std::size_t i = 0; i < h.size(); ++i) {
    const double u = static_cast<double>(i) / static_cast<double>(h.size() - 1);
    if (std::isfinite(h[i])) {
      line.points.push_back({ParameterX(axis.area, u), axis.Y(h[i])});
      continue;
    }
    if (!line.points.empty()) figure.items.push_back(line);
    line.points.clear();
  }
  if (!line.points.empty()) figure.items.push_back(line);
}

LogY TopAxis(const OffsetStudy& study, const Rect& area) {
  double most = 0;
  const auto consider = [&most](const std::vector<double>& h) {
    for (double v : h) {
      if (std::isfinite(v)) most = std::max(most, v);
    }
  };
  consider(study.h);
  for (const std::vector<double>& h : study.pieceH) consider(h);
  LogY axis{area};
  if (most > 1) axis.high = static_cast<int>(std::ceil(std::log10(most)));
  return axis;
}

void AddTopPanel(Figure& figure, const OffsetStudy& study, const LogY& axis,
                 const Measure& measure) {
  const Rect& a = axis.area;
  const int step = (axis.high - axis.low + 7) / 8;
  for (int e = axis.low; e <= axis.high; ++e) {
    const double y = axis.Y(std::pow(10.0, e));
    figure.items.push_back(Line{{{a.left, y}, {a.Right(), y}}, {kGridColour, 1}, {}});
    if ((axis.high - e) % step == 0) Label(figure, Decade(e), a.left - 4, y, measure);
  }
  const double floor = axis.Y(kFloor);
  figure.items.push_back(
      Box{{a.left, floor, a.width, a.Bottom() - floor}, {kFloorFill, 1}, kFloorFill});
  AddFrame(figure, a);
  figure.items.push_back(Line{{{a.left, floor}, {a.Right(), floor}}, {kFloorColour, 1, true}, {}});
  // Inside the band when it has room for the text, else just above it.
  const std::string floorText = Tr("0.01 px（測定の下限）");
  const double band = a.Bottom() - floor;
  const double baseline =
      band >= measure.height({}) + 2 ? floor + measure.ascent({}) + 1 : floor - 3;
  figure.items.push_back(
      Text{floorText, {a.Right() - measure.width(floorText, {}) - 4, baseline}, {}, kFloorColour});
  for (std::size_t i = study.pieceH.size(); i-- > 0;) {
    AddDistances(figure, axis, study.pieceH[i], {kPieceColours[i], 1.2});
  }
  AddDistances(figure, axis, study.h, {kDrawnColour, 2});
  if (study.asDrawn && std::isfinite(study.asDrawn->max)) {
    figure.items.push_back(Mark{{ParameterX(a, study.asDrawn->u), axis.Y(study.asDrawn->max)},
                                {MarkKind::kRing, 5, {kDrawnColour, 1.5}}});
  }
  figure.items.push_back(Box{a, {kTextColour, 1}, {}});
}

LinearY BottomAxis(const OffsetStudy& study, const Rect& area) {
  double low = 0, high = 1;
  for (double f : study.factor) {
    if (!std::isfinite(f)) continue;
    low = std::min(low, std::max(f, -kFactorReach));
    high = std::max(high, std::min(f, kFactorReach));
  }
  const double pad = (high - low) * 0.08;
  return {area, low - pad, high + pad};
}

// A step of 1, 2 or 5 times a power of ten giving three to six ticks.
double TickStep(double span) {
  const double power = std::pow(10.0, std::floor(std::log10(span / 4)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (span / (m * power) <= 6) return m * power;
  }
  return 10 * power;
}

void AddBottomPanel(Figure& figure, const OffsetStudy& study, const LinearY& axis,
                    const Measure& measure) {
  const Rect& a = axis.area;
  const double step = TickStep(axis.high - axis.low);
  const auto first = static_cast<long>(std::ceil(axis.low / step));
  const auto last = static_cast<long>(std::floor(axis.high / step));
  for (long k = first; k <= last; ++k) {
    const double tick = static_cast<double>(k) * step;
    const double y = axis.Y(tick);
    figure.items.push_back(Line{{{a.left, y}, {a.Right(), y}}, {kGridColour, 1}, {}});
    Label(figure, FormatGeneral(tick == 0 ? 0.0 : tick), a.left - 4, y, measure);
  }
  AddFrame(figure, a);
  const double zero = axis.Y(0);
  figure.items.push_back(Line{{{a.left, zero}, {a.Right(), zero}}, {kTextColour, 1}, {}});
  Line line{{}, {kFactorColour, 1.5}, a};
  for (std::size_t i = 0; i < study.factor.size(); ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(study.factor.size() - 1);
    const double f = std::clamp(study.factor[i], -2 * kFactorReach, 2 * kFactorReach);
    if (std::isfinite(f)) line.points.push_back({ParameterX(a, t), axis.Y(f)});
  }
  figure.items.push_back(line);
  figure.items.push_back(Box{a, {kTextColour, 1}, {}});
}

// The ranges where the true offset curve runs backwards, shaded on both panels.
void AddBackwards(Figure& figure, const OffsetStudy& study, const Rect& top, const Rect& bottom) {
  for (const geometry::ParameterRange& r : study.negative) {
    for (const Rect& a : {top, bottom}) {
      const double from = ParameterX(a, r.from), to = ParameterX(a, r.to);
      figure.items.push_back(
          Box{{from, a.top, to - from, a.height}, {kBackwardsFill, 1}, kBackwardsFill});
    }
  }
}

// A vertical line over both panels at each cusp and zero tangent, and its
// mark on the floor line above and on the zero line below.
void AddPlaces(Figure& figure, const OffsetStudy& study, const LogY& top, const LinearY& bottom) {
  const auto place = [&](double t, const MarkStyle& mark) {
    const double x = ParameterX(top.area, t);
    for (const Rect& a : {top.area, bottom.area}) {
      figure.items.push_back(Line{{{x, a.top}, {x, a.Bottom()}}, {mark.pen.colour, 1, true}, {}});
    }
    figure.items.push_back(Mark{{x, top.Y(kFloor)}, mark});
    figure.items.push_back(Mark{{x, bottom.Y(0)}, mark});
  };
  for (const geometry::OffsetCusp& c : study.cusps) place(c.t, kCuspMark);
  for (double t : study.zeroTangents) place(t, kZeroTangentMark);
}

void AddParameterLabels(Figure& figure, const Rect& a, const Measure& measure) {
  const double height = measure.height({});
  for (double t : kParameterTicks) {
    const std::string text = FormatGeneral(t);
    figure.items.push_back(
        Text{text,
             {ParameterX(a, t) - measure.width(text, {}) / 2, a.Bottom() + height},
             {},
             kTextColour});
  }
  const std::string title = Tr("u（黄の曲線）と t（曲線）");
  figure.items.push_back(
      Text{title,
           {a.Centre().x - measure.width(title, {}) / 2, a.Bottom() + 2 * height + 2},
           {},
           kTextColour});
}

}  // namespace

OffsetLayout LayOutOffsets(const std::array<geometry::IntPoint, 4>& P, const OffsetStudy& study,
                           double width, double height, const Measure& measure) {
  OffsetLayout layout;
  Figure& figure = layout.figure;
  figure.width = width;
  figure.height = height;
  const double line = measure.height({});
  const double textWidth = width - 2 * kEdge;
  const std::vector<std::string> caption = CaptionLines(P, study, textWidth, measure);
  const Heading topHeading = TopHeading(textWidth, measure);
  const std::vector<std::string> bottomTitle = BottomTitle(textWidth, measure);

  const double topStart = kEdge + topHeading.height + 4;
  const double below = 2 * line + 6 + static_cast<double>(caption.size()) * line + kEdge;
  const double between = kGap + static_cast<double>(bottomTitle.size()) * line + 4;
  const double panels = std::max(2.0, height - topStart - between - below);
  layout.top = {kLeft, topStart, width - kLeft - kRight, panels * kTopShare};
  layout.bottom = {kLeft, layout.top.Bottom() + between, layout.top.width,
                   panels * (1 - kTopShare)};

  const LogY top = TopAxis(study, layout.top);
  const LinearY bottom = BottomAxis(study, layout.bottom);
  AddBackwards(figure, study, layout.top, layout.bottom);
  AddTopPanel(figure, study, top, measure);
  AddBottomPanel(figure, study, bottom, measure);
  AddPlaces(figure, study, top, bottom);
  AddParameterLabels(figure, layout.bottom, measure);

  AddHeading(figure, topHeading, kEdge, kEdge, measure);
  for (std::size_t k = 0; k < bottomTitle.size(); ++k) {
    figure.items.push_back(Text{
        bottomTitle[k],
        {kEdge, layout.top.Bottom() + kGap + measure.ascent({}) + static_cast<double>(k) * line},
        {},
        kTextColour});
  }
  for (std::size_t k = 0; k < caption.size(); ++k) {
    const double above = static_cast<double>(caption.size() - 1 - k) * line;
    layout.caption.push_back({caption[k], {kEdge, height - kEdge - above}, {}, kTextColour});
    figure.items.push_back(layout.caption.back());
  }
  return layout;
}

}  // namespace scene::plot
