// The convergence plot's layout, with a fixed-pitch measure instead of fonts:
// where the slope -1 line lies against the rows, and the caption wrapped
// whole inside the width.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "Convergence.h"
#include "PlotLayout.h"
#include "Scene.h"

namespace {

using scene::plot::Layout;

// Every byte 6 pixels wide, lines 14 high: wide enough to wrap a long caption.
const scene::plot::Measure kMeasure{
    [](const std::string& text, scene::plot::TextStyle) { return 6.0 * text.size(); },
    [](scene::plot::TextStyle) { return 14.0; }, [](scene::plot::TextStyle) { return 11.0; }};

// The error the line shows at n, read back from its two ends on the log axes.
double LineAt(const Layout& layout, double n) {
  const auto& [from, to] = *layout.slope;
  const scene::plot::LogAxes& axes = layout.axes;
  const double x = axes.area.left + std::log10(n) / 5 * axes.area.width;
  const double y = from.y + (to.y - from.y) * (x - from.x) / (to.x - from.x);
  return std::pow(
      10.0, axes.yLow + (axes.area.Bottom() - y) / axes.area.height * (axes.yHigh - axes.yLow));
}

double RowError(const geometry::ConvergenceTable& table, double n) {
  for (const auto& row : table.rows) {
    if (row.divisions == n) return std::fabs(*row.relativeError);
  }
  return NAN;
}

// The start state's full sums fall as 1/n^2 and sink to single precision's
// floor; its 1000-division sum stops a sample early and falls as 1/n. The
// README's example has full sums that fall as 1/n: the line follows them.
TEST(PlotLayout, TheSlopeLineRunsThroughTheRowsThatFallAsOneOverN) {
  const geometry::ConvergenceTable start = geometry::Convergence(scene::kStartPoints);
  const Layout layout = scene::plot::LayOut(start, {}, 640, 400, kMeasure);
  ASSERT_TRUE(layout.slope);
  const double ratio = LineAt(layout, 1000) / RowError(start, 1000);
  EXPECT_GT(ratio, 0.5);
  EXPECT_LT(ratio, 2.0);

  const std::array<geometry::IntPoint, 4> example{{{20, 200}, {90, 15}, {240, 30}, {130, 250}}};
  const geometry::ConvergenceTable readme = geometry::Convergence(example);
  const Layout readmeLayout = scene::plot::LayOut(readme, {}, 640, 400, kMeasure);
  const double full = LineAt(readmeLayout, 10) / RowError(readme, 10);
  EXPECT_GT(full, 0.5);
  EXPECT_LT(full, 2.0);
}

// Wide coordinates make the caption longer than the plot: it is broken
// between its pieces, every line within the width, the reference length kept,
// and the plotting area gives up the room of the extra lines.
TEST(PlotLayout, ALongCaptionIsWrappedWholeInsideTheWidth) {
  const std::array<geometry::IntPoint, 4> wide{
      {{-1000000, 0}, {0, 1000000}, {1000000, 1000000}, {0, -1000000}}};
  const geometry::ConvergenceTable table = geometry::Convergence(wide);
  const Layout layout = scene::plot::LayOut(table, {}, 640, 400, kMeasure);
  ASSERT_GT(layout.caption.size(), 2u);
  std::string joined;
  for (const scene::plot::Text& line : layout.caption) {
    EXPECT_LE(line.at.x + kMeasure.width(line.text, line.style), 640) << line.text;
    EXPECT_EQ(line.style.pixels, scene::plot::kFontPixels);
    joined += line.text + "|";
  }
  EXPECT_NE(joined.find("P(3) = (0, -1000000)|真の長さ（参照値） = 3220216.9491|"),
            std::string::npos)
      << joined;
  EXPECT_LT(layout.caption.back().at.y, 400);
  EXPECT_LT(layout.xTitle.at.y, layout.caption.front().at.y - 14 + 1);
}

}  // namespace

// The legend shows each kind of row as the plot draws it: the sums' line with
// a dot, a ring alone for a row whose sample count differs from n, and the
// slope's dashed line; every painter draws these from the entries alone.
TEST(PlotLayout, TheLegendShowsEachMarkWithThePenThePlotDrawsItWith) {
  const geometry::ConvergenceTable table = geometry::Convergence(scene::kStartPoints);
  const Layout layout = scene::plot::LayOut(table, {false, false, true, false}, scene::plot::kWidth,
                                            scene::plot::kHeight, kMeasure);
  using scene::plot::MarkKind;
  const auto same = [](const std::optional<scene::plot::Pen>& a, const scene::plot::Pen& b) {
    return a && a->width == b.width && a->dashed == b.dashed && a->colour.r == b.colour.r &&
           a->colour.g == b.colour.g && a->colour.b == b.colour.b;
  };
  ASSERT_EQ(layout.legend.size(), 3u);
  ASSERT_TRUE(layout.legend[0].mark && layout.legend[1].mark);
  EXPECT_EQ(layout.legend[0].mark->kind, MarkKind::kDot);
  EXPECT_TRUE(same(layout.legend[0].line, layout.linePen));
  EXPECT_EQ(layout.legend[1].mark->kind, MarkKind::kRing);
  EXPECT_FALSE(layout.legend[1].line);
  EXPECT_FALSE(layout.legend[2].mark);
  EXPECT_TRUE(same(layout.legend[2].line, layout.slopePen));
  EXPECT_TRUE(layout.legend[2].line->dashed);
}
