#pragma once

// The window's six boxes, and the room a box's caption gets: what the style
// leaves beside the indicator. (A box's sizeHint also asks for the focus
// frame's margins, which cut off nothing.)

#include <QCheckBox>
#include <QRect>
#include <QStyle>
#include <QStyleOptionButton>
#include <vector>

#include "main.h"

inline std::vector<QCheckBox*> WindowBoxes(editor::main& window) {
  std::vector<QCheckBox*> boxes{window.Check1.begin(), window.Check1.end()};
  boxes.insert(boxes.end(), window.Check2.begin(), window.Check2.end());
  return boxes;
}

inline QRect CaptionRoom(const QCheckBox* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  option.text = box->text();
  return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
}
