#pragma once

#include <QApplication>

namespace editor {

// Style and default font of the program: a proportional Japanese UI font at
// 12 pixels, with fallbacks; where the font found is wider, the size steps
// down until every check-box caption fits its designed box.
void ApplyAppearance(QApplication& app);

}  // namespace editor
