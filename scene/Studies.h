#pragma once

// How the studies beside the main window (the convergence window, the offset
// window and the page's offset view) follow the state: once per change, and
// while a point is dragged at most once per interval, so that a drag's own
// redraws keep their pace.

namespace scene {

// The interval between two studies while a point is dragged, in ms.
inline constexpr int kStudyDragIntervalMs = 100;

}  // namespace scene
