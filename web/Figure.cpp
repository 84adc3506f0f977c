#include "Figure.h"

#include <nlohmann/json.hpp>
#include <variant>

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

const char* Name(plot::MarkKind kind) {
  switch (kind) {
    case plot::MarkKind::kDot:
      return "dot";
    case plot::MarkKind::kRing:
      return "ring";
    case plot::MarkKind::kSquare:
      return "square";
    case plot::MarkKind::kTriangle:
      return "triangle";
    case plot::MarkKind::kDiamond:
      return "diamond";
    case plot::MarkKind::kCross:
      return "cross";
  }
  return "";
}

struct ItemJson {
  json operator()(const plot::Line& l) const {
    json points = json::array();
    for (const plot::Point& p : l.points) points.push_back(Of(p));
    return {{"kind", "line"},
            {"points", points},
            {"pen", Of(l.pen)},
            {"clip", l.clip ? Of(*l.clip) : json()}};
  }
  json operator()(const plot::Box& b) const {
    return {{"kind", "box"},
            {"rect", Of(b.rect)},
            {"pen", Of(b.pen)},
            {"fill", b.fill ? Of(*b.fill) : json()}};
  }
  json operator()(const plot::Mark& m) const {
    return {{"kind", "mark"},
            {"at", Of(m.at)},
            {"mark", Name(m.style.kind)},
            {"radius", m.style.radius},
            {"pen", Of(m.style.pen)}};
  }
  json operator()(const plot::Text& t) const {
    return {{"kind", "text"},           {"text", t.text},       {"at", Of(t.at)},
            {"pixels", t.style.pixels}, {"bold", t.style.bold}, {"colour", Of(t.colour)},
            {"rotated", t.rotated}};
  }
  json operator()(const plot::Group& g) const {
    return {{"kind", "group"}, {"pixels", g.style.pixels}, {"bold", g.style.bold}};
  }
  json operator()(const plot::EndGroup&) const { return {{"kind", "end"}}; }
};

}  // namespace

std::string FigureJson(const plot::Figure& figure, const std::vector<std::string>& rows) {
  json items = json::array();
  for (const plot::Item& item : figure.items) items.push_back(std::visit(ItemJson{}, item));
  return json{{"figure",
               {{"width", figure.width},
                {"height", figure.height},
                {"background", Of(figure.background)},
                {"dash", plot::kDashPattern},
                {"items", items}}},
              {"rows", rows}}
      .dump();
}

}  // namespace web
