#include "Layout.h"

#include <array>
#include <nlohmann/json.hpp>

#include "WindowTexts.h"

namespace web {

namespace {

struct Design {
  int left, top, width, height;
};
constexpr int kClientWidth = 631;
constexpr int kClientHeight = 288;
constexpr Design kPicture1{120, 240, 3960, 3960};
constexpr Design kLabel1{4200, 240, 2655, 3975};
constexpr std::array<Design, 4> kCheck1{{{6960, 240, 1215, 255},
                                         {6960, 600, 1215, 255},
                                         {6960, 960, 1215, 255},
                                         {6960, 1320, 1335, 255}}};
constexpr std::array<Design, 2> kCheck2{{{6960, 2280, 2175, 255}, {6960, 2640, 2295, 255}}};
constexpr Design kHScroll1{6960, 3000, 2175, 255};
constexpr Design kLabel2{6960, 3360, 2175, 375};
constexpr std::array<const char*, 4> kCheck1Captions{"10分割", "100分割", "1000分割", "10000分割"};
constexpr std::array<const char*, 2> kCheck2Captions{"近似オフセット曲線（黄）",
                                                     "正確なオフセット曲線（青）"};

nlohmann::json Place(const char* id, const Design& d, const char* caption = nullptr) {
  nlohmann::json c = {{"id", id},
                      {"left", d.left / 15},
                      {"top", d.top / 15},
                      {"width", d.width / 15},
                      {"height", d.height / 15}};
  if (caption != nullptr) {
    c["caption"] = caption;
    c["box"] = true;
  }
  return c;
}

}  // namespace

std::string LayoutJson() {
  nlohmann::json controls = nlohmann::json::array();
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
  const nlohmann::json texts = {{"pictureName", scene::kPictureName},
                                {"reportName", scene::kReportName},
                                {"distanceName", scene::kDistanceName}};
  return nlohmann::json{
      {"client", {kClientWidth, kClientHeight}}, {"controls", controls}, {"texts", texts}}
      .dump();
}

}  // namespace web
