#include "Plot.h"

#include <nlohmann/json.hpp>

#include "Convergence.h"

namespace web {

namespace {

using nlohmann::json;
namespace plot = scene::plot;

json Of(const plot::Point& p) { return {p.x, p.y}; }
json Of(const plot::Colour& c) { return {c.r, c.g, c.b, c.a}; }
json Of(const plot::Pen& p) {
  return {{"colour", Of(p.colour)}, {"width", p.width}, {"dashed", p.dashed}};
}
json Of(const plot::Rect& r) { return {r.left, r.top, r.width, r.height}; }
json Of(const plot::Text& t) {
  return {{"text", t.text},       {"at", Of(t.at)},         {"pixels", t.style.pixels},
          {"bold", t.style.bold}, {"colour", Of(t.colour)}, {"rotated", t.rotated}};
}
template <typename T>
json List(const T& items) {
  json out = json::array();
  for (const auto& item : items) out.push_back(Of(item));
  return out;
}

}  // namespace

std::string PlotJson(const scene::State& state, double width, double height,
                     const plot::Measure& measure) {
  const geometry::ConvergenceTable table = geometry::Convergence(state.P);
  const plot::Layout l = plot::LayOut(table, state.divisions, width, height, measure);
  json marks = json::array();
  for (const plot::CountMark& m : l.marks) {
    marks.push_back({{"x", m.x},
                     {"pen", Of(m.pen)},
                     {"label", Of(m.label)},
                     {"ring", m.ring ? Of(*m.ring) : json()}});
  }
  json dots = json::array();
  for (const plot::Dot& d : l.dots) dots.push_back({{"at", Of(d.at)}, {"quirk", d.quirk}});
  json legend = json::array();
  for (const plot::LegendEntry& e : l.legend) {
    legend.push_back({{"from", Of(e.from)},
                      {"to", Of(e.to)},
                      {"line", e.line ? Of(*e.line) : json()},
                      {"mark", e.mark == plot::LegendMark::kDot    ? "dot"
                               : e.mark == plot::LegendMark::kRing ? "ring"
                                                                   : ""},
                      {"text", Of(e.text)}});
  }
  return json{{"background", Of(plot::kBackground)},
              {"dash", plot::kDashPattern},
              {"radii",
               {{"count", plot::kCountRingRadius},
                {"quirk", plot::kQuirkRingRadius},
                {"dot", plot::kDotRadius}}},
              {"area", Of(l.area)},
              {"gridPen", Of(l.gridPen)},
              {"framePen", Of(l.framePen)},
              {"gridX", l.gridX},
              {"gridY", l.gridY},
              {"labels", List(l.xLabels)},
              {"yLabels", List(l.yLabels)},
              {"titles", json::array({Of(l.xTitle), Of(l.yTitle)})},
              {"slope", l.slope ? json::array({Of((*l.slope)[0]), Of((*l.slope)[1])}) : json()},
              {"slopePen", Of(l.slopePen)},
              {"marks", marks},
              {"line", List(l.line)},
              {"linePen", Of(l.linePen)},
              {"dots", dots},
              {"dotColour", Of(l.dotColour)},
              {"ringPen", Of(l.ringPen)},
              {"legendBox", Of(l.legendBox)},
              {"legendPen", Of(l.legendPen)},
              {"legendFill", Of(l.legendFill)},
              {"legend", legend},
              {"caption", List(l.caption)},
              {"rows", plot::WindowCountLines(table)}}
      .dump();
}

}  // namespace web
