#pragma once

// The names a screen reader hears for the drawing area, the report and the
// scroll bar, in the window and on the page alike, marked for the catalogue
// and translated where they are shown. (The captions and the distance texts
// are the design's, Design.h.)

#include "Tr.h"

namespace scene {

inline constexpr const char* kPictureName = i18n::Mark("ベジェ曲線の描画領域");
inline constexpr const char* kReportName = i18n::Mark("レポート");
inline constexpr const char* kDistanceName = i18n::Mark("オフセット距離");

}  // namespace scene
