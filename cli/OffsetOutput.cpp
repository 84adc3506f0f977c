#include "OffsetOutput.h"

#include "ConvergenceOutput.h"
#include "ReportJson.h"

namespace cli {

namespace {

nlohmann::json Numbers(const std::vector<double>& values) {
  nlohmann::json array = nlohmann::json::array();
  for (double v : values) array.push_back(OptionalNumber(v));
  return array;
}

nlohmann::json Drawn(const geometry::OffsetStudy& study) {
  if (!study.drawn) return nullptr;
  nlohmann::json points = nlohmann::json::array();
  for (const geometry::IntPoint& p : *study.drawn) points.push_back({p.x, p.y});
  return points;
}

nlohmann::json AsDrawn(const geometry::OffsetStudy& study) {
  if (!study.asDrawn) return nullptr;
  return {{"max", OptionalNumber(study.asDrawn->max)},
          {"u", OptionalNumber(study.asDrawn->u)},
          {"converged", study.asDrawn->converged}};
}

nlohmann::json Splitting(const geometry::OffsetStudy& study) {
  nlohmann::json rows = nlohmann::json::array();
  for (const geometry::SplitRow& row : study.splitting) {
    rows.push_back({{"pieces", row.pieces},
                    {"deviation", OptionalNumber(row.deviation)},
                    {"converged", row.converged},
                    {"ratio", OptionalNumber(row.ratio)},
                    {"order", OptionalNumber(row.order)}});
  }
  return rows;
}

}  // namespace

std::optional<UsageError> ReadOffsetOptions(const state::FoundOptions& found, Request& request) {
  request.offsets = found.IsSet("offsets");
  if (!found.IsSet("offset-plot")) return std::nullopt;
  if (auto error =
          ReadPlotFile(found, "offset-plot", request.offsetPlot, request.offsetPlotFormat)) {
    return error;
  }
  return CheckStandardOutput(found, request);
}

geometry::OffsetStudy StudyOf(const Request& request) {
  return geometry::StudyOffset(request.state.P, request.state.dist);
}

nlohmann::json OffsetsJson(const geometry::OffsetStudy& study) {
  nlohmann::json cusps = nlohmann::json::array();
  for (const geometry::OffsetCusp& c : study.cusps) {
    cusps.push_back({{"t", c.t}, {"x", OptionalNumber(c.x)}, {"y", OptionalNumber(c.y)}});
  }
  nlohmann::json negative = nlohmann::json::array();
  for (const geometry::ParameterRange& r : study.negative) {
    negative.push_back({{"from", r.from}, {"to", r.to}});
  }
  nlohmann::json fewest = nlohmann::json::array();
  for (std::size_t i = 0; i < geometry::kStudyTargets.size(); ++i) {
    fewest.push_back({{"target", geometry::kStudyTargets[i]},
                      {"pieces", study.fewest[i] ? nlohmann::json(*study.fewest[i]) : nullptr}});
  }
  nlohmann::json pieceH = nlohmann::json::array();
  for (std::size_t i = 0; i < geometry::kStudyPlotPieces.size(); ++i) {
    pieceH.push_back({{"pieces", geometry::kStudyPlotPieces[i]}, {"h", Numbers(study.pieceH[i])}});
  }
  nlohmann::json object = {{"distance", static_cast<double>(study.distance)},
                           {"degenerate", study.degenerate},
                           {"drawn", Drawn(study)},
                           {"asDrawn", AsDrawn(study)},
                           {"h", Numbers(study.h)},
                           {"pieceH", pieceH},
                           {"curvature", Numbers(study.curvature)},
                           {"factor", Numbers(study.factor)},
                           {"cusps", cusps},
                           {"negative", negative},
                           {"zeroTangents", Numbers(study.zeroTangents)},
                           {"splitting", Splitting(study)},
                           {"fewest", fewest}};
  if (study.drawnError) object["drawnError"] = ErrorName(*study.drawnError);
  return object;
}

void InsertOffsets(nlohmann::json& object, const geometry::OffsetStudy& study) {
  object["offsets"] = OffsetsJson(study);
}

}  // namespace cli
