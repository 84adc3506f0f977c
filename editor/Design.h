#pragma once

// The window's design: where each control sits, in twips (15 to the pixel at
// 96 dots per inch), and the captions and initial values of the check boxes.

#include <QRect>
#include <array>

#include "Tr.h"

namespace editor {

// Place and size of a control on the design grid, in twips (15 per pixel).
struct Design {
  int left, top, width, height;
  QRect Pixels() const { return {left / 15, top / 15, width / 15, height / 15}; }
};

inline constexpr Design kPicture1{120, 240, 3960, 3960};
inline constexpr Design kLabel1{4200, 240, 2655, 3975};
inline constexpr std::array<Design, 4> kCheck1{{{6960, 240, 1215, 255},
                                                {6960, 600, 1215, 255},
                                                {6960, 960, 1215, 255},
                                                {6960, 1320, 1335, 255}}};
inline constexpr std::array<Design, 2> kCheck2{{{6960, 2280, 2175, 255}, {6960, 2640, 2295, 255}}};
inline constexpr Design kHScroll1{6960, 3000, 2175, 255};
inline constexpr Design kLabel2{6960, 3360, 2175, 375};

// The captions in Japanese, as the design has them; shown through i18n::Tr.
inline constexpr std::array<const char*, 4> kCheck1Captions{
    i18n::Mark("10分割"), i18n::Mark("100分割"), i18n::Mark("1000分割"), i18n::Mark("10000分割")};
inline constexpr std::array<bool, 4> kCheck1Initial{false, false, true, false};
inline constexpr std::array<const char*, 2> kCheck2Captions{
    i18n::Mark("近似オフセット曲線（黄）"), i18n::Mark("正確なオフセット曲線（青）")};

}  // namespace editor
