#pragma once

// The offset view (F3, the button showOffsets) for the page: the offset study
// of a state, its curve view drawn on a recorder for the canvas to replay
// (scene/OffsetView.h) and its texts as JSON: "text", the study as the page
// shows it and a user copies it, "figure", the study's plot laid out by scene
// (scene/OffsetLayout.h) in the page's fonts (`measure`) for plot.js to paint,
// "caption", the plot's fewest pieces for a screen reader, "description", what a screen reader
// hears of the curve view, and "interval", the least time between two
// studies while a point is dragged (scene/Studies.h).

#include <string>

#include "PlotFigure.h"
#include "Recorder.h"
#include "Scene.h"

namespace web {

std::string OffsetsJson(const scene::State& state, Recorder& curve,
                        const scene::plot::Measure& measure);

}  // namespace web
