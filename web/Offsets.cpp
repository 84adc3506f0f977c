#include "Offsets.h"

#include <nlohmann/json.hpp>

#include "AnalysisText.h"
#include "Figure.h"
#include "OffsetLayout.h"
#include "OffsetStudy.h"
#include "OffsetText.h"
#include "OffsetView.h"
#include "Studies.h"

namespace web {

std::string OffsetsJson(const scene::State& state, Recorder& curve,
                        const scene::plot::Measure& measure) {
  const geometry::OffsetStudy study = geometry::StudyOffset(state.P, state.dist);
  curve.Clear();
  scene::DrawOffsetView(state, study, curve);
  const std::string description = scene::OffsetViewDescription(study);
  const scene::plot::OffsetLayout plot = scene::plot::LayOutOffsets(
      state.P, study, scene::plot::kWidth, scene::plot::kHeight, measure);
  return nlohmann::json{
      {"text", scene::JoinLines(scene::OffsetLines(study))},
      {"figure", nlohmann::json::parse(FigureJson(plot.figure, {}))["figure"]},
      {"caption", scene::FewestLine(study, 0) + "\n" + scene::FewestLine(study, 1)},
      {"description", description},
      {"interval", scene::kStudyDragIntervalMs}}
      .dump();
}

}  // namespace web
