#include "RulesOutput.h"

#include <QJsonArray>
#include <cmath>
#include <optional>

#include "ReportJson.h"

namespace cli {

QJsonObject RulesJson(const geometry::LengthRulesTable& table) {
  QJsonArray rows;
  for (const geometry::LengthRuleRow& row : table.rows) {
    QJsonObject object = SumJson(row);
    object.insert(QStringLiteral("rule"), QLatin1String(geometry::LengthRuleName(row.rule)));
    object.insert(QStringLiteral("evaluations"), static_cast<qint64>(row.evaluations));
    rows.append(object);
  }
  const geometry::MeasuredLength& r = table.reference;
  return QJsonObject{{"reference", QJsonObject{{"length", OptionalNumber(r.value)},
                                               {"evaluations", static_cast<qint64>(r.evaluations)},
                                               {"estimate", OptionalNumber(r.estimate)}}},
                     {"rows", rows}};
}

void InsertRules(QJsonObject& object, const geometry::LengthRulesTable& table) {
  object.insert(QStringLiteral("rules"), RulesJson(table));
}

}  // namespace cli
