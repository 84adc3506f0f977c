#include "RulesOutput.h"

#include <QJsonArray>
#include <cmath>
#include <optional>

#include "ReportJson.h"

namespace cli {

namespace {

QJsonValue Optional(const std::optional<double>& value) {
  return value && std::isfinite(*value) ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

}  // namespace

QJsonObject RulesJson(const geometry::LengthRulesTable& table) {
  QJsonArray rows;
  for (const geometry::LengthRuleRow& row : table.rows) {
    QJsonObject object{{"rule", QLatin1String(geometry::LengthRuleName(row.rule))},
                       {"evaluations", static_cast<qint64>(row.evaluations)},
                       {"samples", static_cast<qint64>(row.samples)},
                       {"length", Optional(row.length)},
                       {"absoluteError", Optional(row.absoluteError)},
                       {"relativeError", Optional(row.relativeError)}};
    if (row.error) object.insert(QStringLiteral("error"), QLatin1String(ErrorName(*row.error)));
    rows.append(object);
  }
  const geometry::MeasuredLength& r = table.reference;
  return QJsonObject{{"reference", QJsonObject{{"length", Optional(r.value)},
                                               {"evaluations", static_cast<qint64>(r.evaluations)},
                                               {"estimate", Optional(r.estimate)}}},
                     {"rows", rows}};
}

void InsertRules(QJsonObject& object, const geometry::LengthRulesTable& table) {
  object.insert(QStringLiteral("rules"), RulesJson(table));
}

}  // namespace cli
