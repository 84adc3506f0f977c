// The offset plot's layout with a fixed-pitch measure instead of fonts: every
// primitive inside the plot at its size, the caption wrapped inside the width
// in the labels' own size, whatever the language or the length of the
// coordinates, and the marks where the study puts them.

#include "OffsetLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <variant>

#include "Language.h"
#include "OffsetLayoutDetail.h"
#include "OffsetStudy.h"
#include "Tr.h"

namespace {

namespace plot = scene::plot;
using geometry::IntPoint;
using Points = std::array<IntPoint, 4>;

// Every byte 6 pixels wide (a Japanese character 18), lines 14 high.
const plot::Measure kMeasure{
    [](const std::string& text, plot::TextStyle) { return 6.0 * static_cast<double>(text.size()); },
    [](plot::TextStyle) { return 14.0; }, [](plot::TextStyle) { return 11.0; }};

bool Inside(const plot::Figure& f, plot::Point p) {
  return p.x >= 0 && p.x <= f.width && p.y >= 0 && p.y <= f.height;
}

bool Inside(const plot::Figure& f, const plot::Rect& r) {
  return Inside(f, plot::Point{r.left, r.top}) && Inside(f, plot::Point{r.Right(), r.Bottom()});
}

bool Inside(const plot::Rect& area, plot::Point p) {
  return p.x >= area.left - 1e-9 && p.x <= area.Right() + 1e-9 && p.y >= area.top - 1e-9 &&
         p.y <= area.Bottom() + 1e-9;
}

// Fails on any primitive that leaves the figure.
void ExpectInside(const plot::Figure& f) {
  for (const plot::Item& item : f.items) {
    if (const auto* line = std::get_if<plot::Line>(&item)) {
      if (line->clip) {
        EXPECT_TRUE(Inside(f, *line->clip));
      } else {
        for (const plot::Point& p : line->points) EXPECT_TRUE(Inside(f, p)) << p.x << "," << p.y;
      }
    } else if (const auto* box = std::get_if<plot::Box>(&item)) {
      EXPECT_TRUE(Inside(f, box->rect));
    } else if (const auto* mark = std::get_if<plot::Mark>(&item)) {
      const double r = mark->style.radius;
      EXPECT_TRUE(Inside(f, plot::Rect{mark->at.x - r, mark->at.y - r, 2 * r, 2 * r}));
    } else if (const auto* text = std::get_if<plot::Text>(&item)) {
      EXPECT_FALSE(text->rotated);
      EXPECT_EQ(text->style, plot::TextStyle{}) << text->text;  // never smaller than the labels
      const plot::Rect extent{text->at.x, text->at.y - 11, kMeasure.width(text->text, {}), 14};
      EXPECT_TRUE(Inside(f, extent)) << text->text;
    }
  }
}

struct Case {
  Points P;
  float dist;
};

TEST(OffsetLayout, EverythingStaysInsideAndTheCaptionFitsInEitherLanguage) {
  const std::array<Case, 3> cases{{
      {{{{50, 150}, {150, 150}, {150, 50}, {50, 50}}}, 50},
      {{{{2000000000, 0}, {-2000000000, 5}, {7, 7}, {9, 9}}}, 30},
      {{{{60, 60}, {60, 60}, {200, 80}, {120, 220}}}, -30},
  }};
  for (const i18n::Language language : {i18n::Language::Japanese, i18n::Language::English}) {
    i18n::SetLanguage(language);
    for (const Case& c : cases) {
      const geometry::OffsetStudy study = geometry::StudyOffset(c.P, c.dist);
      for (const auto& [width, height] :
           {std::pair{640.0, 400.0}, std::pair{820.0, 400.0}, std::pair{640.0, 560.0}}) {
        SCOPED_TRACE(::testing::Message() << c.P[0].x << " " << width << "x" << height);
        const plot::OffsetLayout layout = plot::LayOutOffsets(c.P, study, width, height, kMeasure);
        ExpectInside(layout.figure);
        ASSERT_GE(layout.caption.size(), 2U);
        std::string caption;
        for (const plot::Text& line : layout.caption) {
          EXPECT_LE(line.at.x + kMeasure.width(line.text, {}), width);
          caption += line.text;
        }
        EXPECT_NE(caption.find("P(3) = (" + std::to_string(c.P[3].x)), std::string::npos);
        // The caption lies under the bottom panel and its labels, and the
        // panels keep most of the height.
        EXPECT_GE(layout.caption.front().at.y - 11, layout.bottom.Bottom() + 2 * 14);
        EXPECT_LT(layout.top.Bottom(), layout.bottom.top);
        EXPECT_GT(layout.top.height + layout.bottom.height, height * 0.45);
      }
    }
  }
  i18n::SetLanguage(i18n::Language::Japanese);
}

TEST(OffsetLayout, CuspsAreMarkedOnBothPanelsAndTheRingOnTheDrawnCurvesPeak) {
  const Points P{{{50, 150}, {150, 150}, {150, 50}, {50, 50}}};
  const geometry::OffsetStudy study = geometry::StudyOffset(P, 50);
  ASSERT_EQ(study.cusps.size(), 2U);
  const plot::OffsetLayout layout = plot::LayOutOffsets(P, study, 640, 400, kMeasure);
  for (const geometry::OffsetCusp& c : study.cusps) {
    const double x = layout.top.left + c.t * layout.top.width;
    int top = 0, bottom = 0;
    for (const plot::Item& item : layout.figure.items) {
      const auto* mark = std::get_if<plot::Mark>(&item);
      if (mark == nullptr || mark->style.kind != plot::kCuspMark.kind || mark->at.x != x) continue;
      top += Inside(layout.top, mark->at) ? 1 : 0;
      bottom += Inside(layout.bottom, mark->at) ? 1 : 0;
    }
    EXPECT_EQ(top, 1) << c.t;
    EXPECT_EQ(bottom, 1) << c.t;
  }
  // The drawn curve's 201 points, and the ring at the study's largest h.
  double highest = 1e300;
  std::size_t points = 0;
  std::optional<plot::Point> ring;
  for (const plot::Item& item : layout.figure.items) {
    if (const auto* line = std::get_if<plot::Line>(&item)) {
      if (line->pen.colour.r != plot::kDrawnColour.r || line->points.size() <= 2) continue;
      points += line->points.size();
      for (const plot::Point& p : line->points) highest = std::min(highest, p.y);
    } else if (const auto* mark = std::get_if<plot::Mark>(&item)) {
      if (mark->style.kind == plot::MarkKind::kRing) ring = mark->at;
    }
  }
  EXPECT_EQ(points, study.h.size());
  ASSERT_TRUE(ring);
  EXPECT_DOUBLE_EQ(ring->x, layout.top.left + study.asDrawn->u * layout.top.width);
  EXPECT_LE(ring->y, highest);
  EXPECT_GT(ring->y, highest - 1);
}

}  // namespace
