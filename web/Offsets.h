#pragma once

// The offset view (F3, the button showOffsets) for the page: the offset study
// of a state, its curve view drawn on a recorder for the canvas to replay
// (scene/OffsetView.h) and its texts as JSON: "text", the study as the page
// shows it and a user copies it, and "description", what a screen reader
// hears of the curve view, and "interval", the least time between two
// studies while a point is dragged (scene/Studies.h).

#include <string>

#include "Recorder.h"
#include "Scene.h"

namespace web {

std::string OffsetsJson(const scene::State& state, Recorder& curve);

}  // namespace web
