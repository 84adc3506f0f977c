#include "ReportJson.h"

#include <QJsonArray>
#include <QString>
#include <cmath>

#include "StateFile.h"

namespace cli {

namespace {

QJsonArray Points(std::span<const geometry::IntPoint> points) {
  QJsonArray array;
  for (const geometry::IntPoint& p : points) array.append(QJsonArray{p.x, p.y});
  return array;
}

QJsonValue ErrorValue(const scene::StepError& error) {
  return error ? QJsonValue(QLatin1String(ErrorName(*error))) : QJsonValue(QJsonValue::Null);
}

QJsonValue Approximate(const std::optional<scene::ApproximateStep>& step) {
  if (!step) return QJsonValue::Null;
  if (step->Q) return QJsonObject{{"points", Points(*step->Q)}};
  return QJsonObject{{"error", ErrorValue(step->error)}};
}

QJsonValue Accurate(const std::optional<scene::AccurateStep>& step) {
  if (!step) return QJsonValue::Null;
  return QJsonObject{
      {"vertices", Points(step->vertices)},
      {"stoppedAt", step->stoppedAt ? QJsonValue(*step->stoppedAt) : QJsonValue(QJsonValue::Null)},
      {"error", ErrorValue(step->error)}};
}

QJsonValue Number(double v) {
  return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

}  // namespace

const char* ErrorName(geometry::ErrorKind kind) { return geometry::ErrorKindName(kind); }

QJsonValue OptionalNumber(const std::optional<double>& value) {
  return value ? Number(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject ToJson(const geometry::Analysis& analysis) {
  QJsonArray sums;
  for (const geometry::LengthSum& sum : analysis.sums) {
    sums.append(QJsonObject{
        {"divisions", sum.divisions},
        {"samples", static_cast<qint64>(sum.samples)},
        {"length", sum.length},
        {"absoluteError", Number(sum.absoluteError)},
        {"relativeError", sum.relativeError ? Number(*sum.relativeError) : QJsonValue::Null}});
  }
  QJsonValue deviation = QJsonValue::Null;
  if (analysis.approximateDeviation) {
    deviation = QJsonObject{{"max", analysis.approximateDeviation->max},
                            {"u", analysis.approximateDeviation->u}};
  }
  QJsonArray zeroTangent;
  for (double t : analysis.zeroTangent) zeroTangent.append(t);
  return QJsonObject{
      {"referenceLength", Number(analysis.referenceLength)},
      {"degenerate", analysis.degenerate},
      {"sums", sums},
      {"approximateDeviation", deviation},
      {"zeroTangent", zeroTangent},
      {"converged", QJsonObject{{"referenceLength", analysis.converged.referenceLength},
                                {"approximateDeviation", analysis.converged.approximateDeviation},
                                {"zeroTangent", analysis.converged.zeroTangent}}}};
}

QJsonObject ToJson(const scene::Result& result, const geometry::Analysis* analysis) {
  QJsonArray chords;
  for (const scene::ChordStep& chord : result.chords) {
    chords.append(chord.d ? QJsonValue(*chord.d) : QJsonValue(QJsonValue::Null));
  }
  QJsonArray lengths;
  for (const scene::LengthStep& step : result.lengths) {
    QJsonObject length{{"divisions", step.divisions}};
    if (step.length) length.insert(QStringLiteral("length"), *step.length);
    if (step.error) {
      length.insert(step.length ? QStringLiteral("lineError") : QStringLiteral("error"),
                    ErrorValue(step.error));
    }
    lengths.append(length);
  }
  const scene::State& state = result.state;
  QJsonObject object{{"points", Points(state.P)},
                     {"grabbed", state.grabIndex},
                     {"distance", static_cast<double>(state.dist)},
                     {"chords", chords},
                     {"total", result.total},
                     {"lengths", lengths},
                     {"approximate", Approximate(result.approximate)},
                     {"accurate", Accurate(result.accurate)},
                     {"report", QString::fromStdString(scene::Report(result))},
                     {"state", state::ToJson(state)}};
  if (analysis != nullptr) object.insert(QStringLiteral("analysis"), ToJson(*analysis));
  return object;
}

}  // namespace cli
