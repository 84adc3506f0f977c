#pragma once

// The names a screen reader hears for the drawing area, the report and the
// scroll bar, in the window and on the page alike. (The captions and the
// distance texts are the design's, Design.h.)

namespace scene {

inline constexpr const char* kPictureName = "ベジェ曲線の描画領域";
inline constexpr const char* kReportName = "レポート";
inline constexpr const char* kDistanceName = "オフセット距離";

}  // namespace scene
