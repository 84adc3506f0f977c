#pragma once

// The window's design, for every front end that lays itself out like it:
// where each control sits, in twips (15 to the pixel at 96 dots per inch),
// the client area, the captions and texts, and the initial values of the
// boxes and the scroll bar. No toolkit types: a front end converts a
// Design's pixels into its own rectangles.

#include <array>
#include <cstdint>
#include <string>

#include "DrawingSurface.h"
#include "Tr.h"

namespace scene {

// Twips per pixel.
inline constexpr int kTwipsPerPixel = 15;

// Place and size of a control on the design grid, in twips.
struct Design {
  int left, top, width, height;
};

// A Design in pixels.
struct PixelRect {
  int x, y, width, height;
};

constexpr PixelRect Pixels(const Design& d) {
  return {d.left / kTwipsPerPixel, d.top / kTwipsPerPixel, d.width / kTwipsPerPixel,
          d.height / kTwipsPerPixel};
}

inline constexpr Design kPicture1{120, 240, 3960, 3960};
inline constexpr Design kLabel1{4200, 240, 2655, 3975};
inline constexpr std::array<Design, 4> kCheck1{{{6960, 240, 1215, 255},
                                                {6960, 600, 1215, 255},
                                                {6960, 960, 1215, 255},
                                                {6960, 1320, 1335, 255}}};
inline constexpr std::array<Design, 2> kCheck2{{{6960, 2280, 2175, 255}, {6960, 2640, 2295, 255}}};
inline constexpr Design kHScroll1{6960, 3000, 2175, 255};
inline constexpr Design kLabel2{6960, 3360, 2175, 375};

// Picture1's sunken frame, in pixels on each side; inside it lies the
// drawing area.
inline constexpr int kPicture1Border = 2;

// Size of the client area in pixels and the background colour (0xBBGGRR).
inline constexpr int kClientWidth = 631;
inline constexpr int kClientHeight = 288;
inline constexpr drawing::Colour kBackColour = 0xC0C0C0;

// The drawing area's background (0xBBGGRR), which every picture of it is
// erased to: the button colour the window's style gives the picture box.
inline constexpr drawing::Colour kAreaBackColour = 0xEFEFEF;

// The captions and texts in Japanese, as the design has them; shown through
// i18n::Tr in the language of the run.
inline constexpr std::array<const char*, 4> kCheck1Captions{
    i18n::Mark("10分割"), i18n::Mark("100分割"), i18n::Mark("1000分割"), i18n::Mark("10000分割")};
inline constexpr std::array<bool, 4> kCheck1Initial{false, false, true, false};
inline constexpr std::array<const char*, 2> kCheck2Captions{
    i18n::Mark("近似オフセット曲線（黄）"), i18n::Mark("正確なオフセット曲線（青）")};

// Window captions.
inline constexpr const char* kDesignCaption =
    i18n::Mark("ベジェ曲線の長さ計算・オフセット曲線サンプル");
inline constexpr const char* kBusyCaption = i18n::Mark("計算中...");
inline constexpr const char* kPointerCaptionPrefix = i18n::Mark("ベジェ曲線の長さ計算サンプル - (");

// Label2: its design text, and the text the scroll bar's change handler
// writes for a distance (with an ASCII colon).
inline constexpr const char* kDesignDistanceText = i18n::Mark("オフセット距離：30");
inline constexpr const char* kDistanceTextPrefix = i18n::Mark("オフセット距離:");
std::string DistanceText(int distance);

// The caption a pointer move writes, for the rounded position (cx, cy).
std::string PointerCaption(std::int32_t cx, std::int32_t cy);

}  // namespace scene
