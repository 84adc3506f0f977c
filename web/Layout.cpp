#include "Layout.h"

#include <array>
#include <nlohmann/json.hpp>

#include "Pointer.h"
#include "WindowTexts.h"

namespace web {

namespace {

nlohmann::json Place(const char* id, const scene::Design& design, const char* caption = nullptr) {
  const scene::PixelRect d = scene::Pixels(design);
  nlohmann::json c = {
      {"id", id}, {"left", d.x}, {"top", d.y}, {"width", d.width}, {"height", d.height}};
  if (caption != nullptr) {
    c["caption"] = i18n::Tr(caption);
    c["box"] = true;
  }
  return c;
}

}  // namespace

std::string LayoutJson() {
  nlohmann::json controls = nlohmann::json::array();
  using namespace scene;
  controls.push_back(Place("Picture1", kPicture1));
  controls.push_back(Place("Label1", kLabel1));
  const std::array<const char*, 4> check1{"Check1_0", "Check1_1", "Check1_2", "Check1_3"};
  for (std::size_t i = 0; i < 4; ++i) {
    controls.push_back(Place(check1[i], kCheck1[i], kCheck1Captions[i]));
  }
  const std::array<const char*, 2> check2{"Check2_0", "Check2_1"};
  for (std::size_t i = 0; i < 2; ++i) {
    controls.push_back(Place(check2[i], kCheck2[i], kCheck2Captions[i]));
  }
  controls.push_back(Place("HScroll1", kHScroll1));
  controls.push_back(Place("Label2", kLabel2));
  const nlohmann::json texts = {{"pictureName", i18n::Tr(scene::kPictureName)},
                                {"reportName", i18n::Tr(scene::kReportName)},
                                {"distanceName", i18n::Tr(scene::kDistanceName)}};
  return nlohmann::json{{"client", {kClientWidth, kClientHeight}},
                        {"area", kAreaSize},
                        {"areaBackground", kAreaBackColour},
                        {"border", kPicture1Border},
                        {"distance", {kDistanceLow, kDistanceHigh}},
                        {"controls", controls},
                        {"texts", texts}}
      .dump();
}

}  // namespace web
