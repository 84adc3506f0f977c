#include "ReportJson.h"

#include <cmath>

#include "StateJson.h"

namespace cli {

using nlohmann::json;

namespace {

json Points(std::span<const geometry::IntPoint> points) {
  json array = json::array();
  for (const geometry::IntPoint& p : points) array.push_back(json::array({p.x, p.y}));
  return array;
}

json ErrorValue(const scene::StepError& error) {
  return error ? json(ErrorName(*error)) : json(nullptr);
}

json Approximate(const std::optional<scene::ApproximateStep>& step) {
  if (!step) return nullptr;
  if (step->Q) return {{"points", Points(*step->Q)}};
  return {{"error", ErrorValue(step->error)}};
}

json Accurate(const std::optional<scene::AccurateStep>& step) {
  if (!step) return nullptr;
  return {{"vertices", Points(step->vertices)},
          {"stoppedAt", step->stoppedAt ? json(*step->stoppedAt) : json(nullptr)},
          {"error", ErrorValue(step->error)}};
}

json Number(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }

}  // namespace

const char* ErrorName(geometry::ErrorKind kind) { return geometry::ErrorKindName(kind); }

json OptionalNumber(const std::optional<double>& value) {
  return value ? Number(*value) : json(nullptr);
}

json ToJson(const geometry::Analysis& analysis) {
  json sums = json::array();
  for (const geometry::LengthSum& sum : analysis.sums) {
    sums.push_back({{"divisions", sum.divisions},
                    {"samples", static_cast<std::int64_t>(sum.samples)},
                    {"length", sum.length},
                    {"absoluteError", Number(sum.absoluteError)},
                    {"relativeError", sum.relativeError ? Number(*sum.relativeError) : nullptr}});
  }
  json deviation = nullptr;
  if (analysis.approximateDeviation) {
    deviation = {{"max", analysis.approximateDeviation->max},
                 {"u", analysis.approximateDeviation->u}};
  }
  json zeroTangent = json::array();
  for (double t : analysis.zeroTangent) zeroTangent.push_back(t);
  return {{"referenceLength", Number(analysis.referenceLength)},
          {"degenerate", analysis.degenerate},
          {"sums", sums},
          {"approximateDeviation", deviation},
          {"zeroTangent", zeroTangent},
          {"converged",
           {{"referenceLength", analysis.converged.referenceLength},
            {"approximateDeviation", analysis.converged.approximateDeviation},
            {"zeroTangent", analysis.converged.zeroTangent}}}};
}

json ToJson(const scene::Result& result, const geometry::Analysis* analysis) {
  json chords = json::array();
  for (const scene::ChordStep& chord : result.chords) {
    chords.push_back(chord.d ? json(*chord.d) : json(nullptr));
  }
  json lengths = json::array();
  for (const scene::LengthStep& step : result.lengths) {
    json length = {{"divisions", step.divisions}};
    if (step.length) length["length"] = *step.length;
    if (step.error) length[step.length ? "lineError" : "error"] = ErrorValue(step.error);
    lengths.push_back(length);
  }
  const scene::State& state = result.state;
  json object = {{"points", Points(state.P)},
                 {"grabbed", state.grabIndex},
                 {"distance", static_cast<double>(state.dist)},
                 {"chords", chords},
                 {"total", result.total},
                 {"lengths", lengths},
                 {"approximate", Approximate(result.approximate)},
                 {"accurate", Accurate(result.accurate)},
                 {"report", scene::Report(result)},
                 {"state", state::StateObject(state)}};
  if (analysis != nullptr) object["analysis"] = ToJson(*analysis);
  return object;
}

}  // namespace cli
