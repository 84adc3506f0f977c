#include "Offsets.h"

#include <nlohmann/json.hpp>

#include "AnalysisText.h"
#include "OffsetStudy.h"
#include "OffsetText.h"
#include "OffsetView.h"
#include "Studies.h"

namespace web {

std::string OffsetsJson(const scene::State& state, Recorder& curve) {
  const geometry::OffsetStudy study = geometry::StudyOffset(state.P, state.dist);
  curve.Clear();
  scene::DrawOffsetView(state, study, curve);
  const std::string description = scene::OffsetViewDescription(study);
  return nlohmann::json{{"text", scene::JoinLines(scene::OffsetLines(study))},
                        {"description", description},
                        {"interval", scene::kStudyDragIntervalMs}}
      .dump();
}

}  // namespace web
