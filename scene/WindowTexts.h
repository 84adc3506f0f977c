#pragma once

// The window's texts that every front end shows the same: the captions, the
// distance label and the names a screen reader hears for the drawing area,
// the report and the scroll bar. The window and the page both read them here.

namespace scene {

inline constexpr const char* kDesignCaption = "ベジェ曲線の長さ計算・オフセット曲線サンプル";
inline constexpr const char* kBusyCaption = "計算中...";
inline constexpr const char* kPointerCaptionPrefix = "ベジェ曲線の長さ計算サンプル - (";
inline constexpr const char* kDistanceTextPrefix = "オフセット距離:";
inline constexpr const char* kDesignDistanceText = "オフセット距離：30";

inline constexpr const char* kPictureName = "ベジェ曲線の描画領域";
inline constexpr const char* kReportName = "レポート";
inline constexpr const char* kDistanceName = "オフセット距離";

}  // namespace scene
