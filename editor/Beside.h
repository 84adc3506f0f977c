#pragma once

// Where the study windows (F2, F3) open: beside the main window, always
// within its screen.

class QObject;
class QWidget;

namespace editor {

// Sizes `window` from its layout (no larger than the screen of `owner`) and
// moves it to the right of `owner`, else to its left, else below it, else
// over it, moved in so that as much of it as fits is on the screen, its top
// left corner first. Call it before `window` is first shown.
void PlaceBeside(QWidget& window, const QWidget& owner);

// Deletes `window`, a top-level window of its own (not a child widget: the
// main window keeps exactly its ten controls), when `owner` is destroyed.
void KeepWith(QObject& owner, QWidget* window);

}  // namespace editor
