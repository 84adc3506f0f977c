// The length rules' plot laid out as a figure, with fixed-pitch measures
// instead of fonts: every item inside the figure and the caption whole below
// the axes, one series per rule in its own look with a point per showable
// row, the guides' slopes, the floor and the reference's evaluations.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <variant>

#include "LengthRules.h"
#include "PlotFigure.h"
#include "RulesPlot.h"
#include "Scene.h"

namespace {

namespace plot = scene::plot;

// Every character `pitch` pixels wide, lines 14 high.
plot::Measure Pitch(double pitch) {
  return {[pitch](const std::string& text, plot::TextStyle) {
            const auto first = [](char b) {
              return (static_cast<unsigned char>(b) & 0xC0) != 0x80;
            };
            return pitch * static_cast<double>(std::count_if(text.begin(), text.end(), first));
          },
          [](plot::TextStyle) { return 14.0; }, [](plot::TextStyle) { return 11.0; }};
}

bool Inside(const plot::Rect& outer, plot::Point p, double margin = 1e-9) {
  return p.x >= outer.left - margin && p.x <= outer.Right() + margin && p.y >= outer.top - margin &&
         p.y <= outer.Bottom() + margin;
}

struct Case {
  const char* name;
  std::array<geometry::IntPoint, 4> P;
};

const Case kCases[] = {
    {"start", {{{50, 50}, {150, 50}, {150, 150}, {50, 150}}}},
    {"lesson", {{{20, 200}, {90, 15}, {240, 30}, {130, 250}}}},
    {"near a cusp", {{{0, 0}, {300, 300}, {0, 300}, {300, 0}}}},
    {"wide", {{{-1000000, 0}, {0, 1000000}, {1000000, 1000000}, {0, -1000000}}}},
    {"one point", {{{7, 7}, {7, 7}, {7, 7}, {7, 7}}}},
};

// Whatever the state, the size and the font's width: texts, marks, boxes and
// unclipped lines stay inside the figure, marks and clipped lines inside the
// plotting area, the legend beside it, and the caption's lines one below the
// other under the axis title, each within the width.
TEST(RulesPlot, EveryItemKeepsInsideTheFigureAndTheCaptionFits) {
  for (const Case& c : kCases) {
    const geometry::LengthRulesTable table = geometry::LengthRules(c.P);
    for (double pitch : {6.0, 8.0}) {
      for (const auto& [W, H] : {std::pair{640.0, 400.0}, std::pair{900.0, 400.0}}) {
        const plot::Measure measure = Pitch(pitch);
        const plot::RulesLayout layout = plot::LayOutRules(table, W, H, measure);
        const plot::Rect figure{0, 0, W, H};
        const plot::Rect& area = layout.axes.area;
        const std::string where =
            std::string(c.name) + " pitch " + std::to_string(pitch) + " width " + std::to_string(W);
        ASSERT_GT(area.height, 100) << where;
        EXPECT_GE(layout.legendBox.left, area.Right()) << where;
        EXPECT_TRUE(Inside(figure, {layout.legendBox.Right(), layout.legendBox.Bottom()})) << where;
        double lowestAxisText = 0;
        for (const plot::Item& item : layout.figure.items) {
          if (const auto* t = std::get_if<plot::Text>(&item)) {
            const double w = measure.width(t->text, t->style);
            const plot::Point end =
                t->rotated ? plot::Point{t->at.x, t->at.y - w} : plot::Point{t->at.x + w, t->at.y};
            EXPECT_TRUE(Inside(figure, t->at) && Inside(figure, end)) << where << ": " << t->text;
            EXPECT_GE(t->at.y - 11, -1e-9) << where << ": " << t->text;
            if (t->at.y > area.Bottom() && t->at.y < layout.caption.front().at.y) {
              lowestAxisText = std::max(lowestAxisText, t->at.y);
            }
          } else if (const auto* m = std::get_if<plot::Mark>(&item)) {
            const bool legend = Inside(layout.legendBox, m->at);
            EXPECT_TRUE(legend || Inside(area, m->at, 1e-6)) << where;
          } else if (const auto* l = std::get_if<plot::Line>(&item)) {
            for (const plot::Point& p : l->points) {
              EXPECT_TRUE(l->clip ? Inside(figure, {l->clip->Right(), l->clip->Bottom()})
                                  : Inside(figure, p, 1e-6))
                  << where;
            }
          } else if (const auto* b = std::get_if<plot::Box>(&item)) {
            EXPECT_TRUE(Inside(figure, {b->rect.left, b->rect.top}) &&
                        Inside(figure, {b->rect.Right(), b->rect.Bottom()}))
                << where;
          }
        }
        ASSERT_GE(layout.caption.size(), 3u) << where;
        EXPECT_GT(layout.caption.front().at.y - 14 + 1, lowestAxisText) << where;
        for (std::size_t k = 1; k < layout.caption.size(); ++k) {
          EXPECT_NEAR(layout.caption[k].at.y - layout.caption[k - 1].at.y, 14, 1e-9) << where;
        }
        EXPECT_LE(layout.caption.back().at.y, H) << where;
      }
    }
  }
}

// Each rule is one series with its own mark and colour, a mark for every row
// a log axis can show (and one in the legend); three dashed guides clipped to
// the area fall with slopes -1, -2 and -4 on the log axes; the floor 10^-16
// lies across the area, and the reference's evaluations stand upright at its
// count.
TEST(RulesPlot, OneSeriesPerRuleWithItsGuidesFloorAndReference) {
  const geometry::LengthRulesTable table = geometry::LengthRules(kCases[1].P);
  const plot::RulesLayout layout = plot::LayOutRules(table, 640, 400, Pitch(6));
  const plot::LogAxes& axes = layout.axes;
  using Look = std::tuple<int, int, int, int>;  // kind, r, g, b
  std::map<Look, int> marks;
  std::multiset<double> slopes;
  bool floor = false, reference = false;
  for (const plot::Item& item : layout.figure.items) {
    if (const auto* m = std::get_if<plot::Mark>(&item)) {
      const plot::Colour& c = m->style.pen.colour;
      ++marks[{static_cast<int>(m->style.kind), c.r, c.g, c.b}];
    } else if (const auto* l = std::get_if<plot::Line>(&item)) {
      if (l->points.size() != 2) continue;
      const plot::Point a = l->points[0], b = l->points[1];
      if (l->clip && l->pen.dashed) {
        // Back from the area's pixels to decades.
        const double dx = (b.x - a.x) / axes.area.width * (axes.xHigh - axes.xLow);
        const double dy = (a.y - b.y) / axes.area.height * (axes.yHigh - axes.yLow);
        slopes.insert(std::round(dy / dx * 1000) / 1000);
      }
      if (a.y == b.y && std::fabs(a.y - axes.Y(1e-16)) < 1e-9 && a.x == axes.area.left &&
          b.x == axes.area.Right()) {
        floor = true;
      }
      const double x = axes.X(static_cast<double>(table.reference.evaluations));
      if (a.x == b.x && std::fabs(a.x - x) < 1e-9 && a.y == axes.area.top) reference = true;
    }
  }
  EXPECT_EQ(slopes, (std::multiset<double>{-4, -2, -1}));
  EXPECT_TRUE(floor);
  EXPECT_TRUE(reference);
  EXPECT_GT(table.reference.evaluations, 0);

  std::map<geometry::LengthRule, int> showable;
  for (const geometry::LengthRuleRow& row : table.rows) {
    if (row.relativeError && *row.relativeError != 0) ++showable[row.rule];
  }
  ASSERT_EQ(marks.size(), 5u);  // five looks, none shared
  std::multiset<int> counts, expected;
  for (const auto& [look, count] : marks) counts.insert(count);
  for (geometry::LengthRule rule : geometry::kLengthRules) expected.insert(showable[rule] + 1);
  EXPECT_EQ(counts, expected);
  int shown = 0;
  for (const auto& [rule, count] : showable) shown += count;
  EXPECT_EQ(layout.shown, shown);
}

}  // namespace
