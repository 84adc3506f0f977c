#include "OffsetOutput.h"

#include <QJsonArray>

#include "ConvergenceOutput.h"
#include "ReportJson.h"

namespace cli {

namespace {

QJsonArray Numbers(const std::vector<double>& values) {
  QJsonArray array;
  for (double v : values) array.append(OptionalNumber(v));
  return array;
}

QJsonValue Drawn(const geometry::OffsetStudy& study) {
  if (!study.drawn) return QJsonValue::Null;
  QJsonArray points;
  for (const geometry::IntPoint& p : *study.drawn) points.append(QJsonArray{p.x, p.y});
  return points;
}

QJsonValue AsDrawn(const geometry::OffsetStudy& study) {
  if (!study.asDrawn) return QJsonValue::Null;
  return QJsonObject{{"max", OptionalNumber(study.asDrawn->max)},
                     {"u", OptionalNumber(study.asDrawn->u)},
                     {"converged", study.asDrawn->converged}};
}

QJsonArray Splitting(const geometry::OffsetStudy& study) {
  QJsonArray rows;
  for (const geometry::SplitRow& row : study.splitting) {
    rows.append(QJsonObject{{"pieces", row.pieces},
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

QJsonObject OffsetsJson(const geometry::OffsetStudy& study) {
  QJsonArray cusps;
  for (const geometry::OffsetCusp& c : study.cusps) {
    cusps.append(QJsonObject{{"t", c.t}, {"x", OptionalNumber(c.x)}, {"y", OptionalNumber(c.y)}});
  }
  QJsonArray negative;
  for (const geometry::ParameterRange& r : study.negative) {
    negative.append(QJsonObject{{"from", r.from}, {"to", r.to}});
  }
  QJsonArray fewest;
  for (std::size_t i = 0; i < geometry::kStudyTargets.size(); ++i) {
    fewest.append(QJsonObject{
        {"target", geometry::kStudyTargets[i]},
        {"pieces", study.fewest[i] ? QJsonValue(*study.fewest[i]) : QJsonValue(QJsonValue::Null)}});
  }
  QJsonArray pieceH;
  for (std::size_t i = 0; i < geometry::kStudyPlotPieces.size(); ++i) {
    pieceH.append(
        QJsonObject{{"pieces", geometry::kStudyPlotPieces[i]}, {"h", Numbers(study.pieceH[i])}});
  }
  QJsonObject object{{"distance", static_cast<double>(study.distance)},
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
  if (study.drawnError) {
    object.insert(QStringLiteral("drawnError"), QLatin1String(ErrorName(*study.drawnError)));
  }
  return object;
}

void InsertOffsets(QJsonObject& object, const geometry::OffsetStudy& study) {
  object.insert(QStringLiteral("offsets"), OffsetsJson(study));
}

}  // namespace cli
