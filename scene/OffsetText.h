#pragma once

// The offset study as text for a learner: why the yellow curve leaves the true
// offset curve (the factor 1 + dist·κ(t) that scales its handles, taken along
// the whole curve), where the true offset curve has cusps and runs backwards,
// and how splitting the curve mends it (the table of k pieces and the fewest
// pieces for each target). The words follow the language; every figure is
// written the same in all. No line ending is attached (JoinLines). No Qt.
//
// For the start state at distance 30:
//   オフセット曲線の解析（距離 30）
//   近似オフセット曲線（黄）のずれ = 最大 15（u = 0.5）
//   曲率 κ(t): t = 0 で 6.6667e-03、t = 1 で 6.6667e-03（正は画面で時計回り）
//   係数 1 + 距離·κ(t): t = 0 で 1.2、t = 1 で 1.2、最小 1.2（t = 0）
//   真のオフセット曲線の尖点: なし
//         分割数          ずれ        比    次数
//     描画のまま       15.0000         -       -
//              1       15.0000         -       -
//              2        0.7662     19.58    4.29
//   ...
//   0.5 px 未満になる最少の分割数 = 4
//   0.1 px 未満になる最少の分割数 = 8
// A cusp adds the ranges where the true offset curve runs backwards, a zero
// tangent its line as in the analysis; a figure not vouched for to 0.01 px is
// marked "（精度未達）".

#include <cstddef>
#include <string>
#include <vector>

#include "OffsetStudy.h"

namespace scene {

std::vector<std::string> OffsetLines(const geometry::OffsetStudy& study);

// "0.5 px 未満になる最少の分割数 = 4", or why no row of the table gets there:
// the line for geometry::kStudyTargets[target] (the table's last lines, and
// the plot's caption).
std::string FewestLine(const geometry::OffsetStudy& study, std::size_t target);

// A parameter written to nine decimals, the accuracy of the cusps (general
// format: "0", "0.303340053", "1").
std::string ParameterFigure(double t);

}  // namespace scene
