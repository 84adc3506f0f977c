#include "RulesOutput.h"

#include <cstdint>

#include "ReportJson.h"

namespace cli {

nlohmann::json RulesJson(const geometry::LengthRulesTable& table) {
  nlohmann::json rows = nlohmann::json::array();
  for (const geometry::LengthRuleRow& row : table.rows) {
    nlohmann::json object = SumJson(row);
    object["rule"] = geometry::LengthRuleName(row.rule);
    object["evaluations"] = static_cast<std::int64_t>(row.evaluations);
    rows.push_back(object);
  }
  const geometry::MeasuredLength& r = table.reference;
  return {{"reference",
           {{"length", OptionalNumber(r.value)},
            {"evaluations", static_cast<std::int64_t>(r.evaluations)},
            {"estimate", OptionalNumber(r.estimate)}}},
          {"rows", rows}};
}

void InsertRules(nlohmann::json& object, const geometry::LengthRulesTable& table) {
  object["rules"] = RulesJson(table);
}

}  // namespace cli
