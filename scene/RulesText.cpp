#include "RulesText.h"

#include <cmath>

#include "Report.h"
#include "TextColumns.h"
#include "Tr.h"

namespace scene {

namespace {

using i18n::Tr;

constexpr int kWidths[] = {10, 7, 8, 8, 18, 16, 14};

std::string Fixed(double v, int digits) {
  return FormatDouble(v, std::chars_format::fixed, digits);
}

std::string Scientific(const std::optional<double>& v) {
  return v && std::isfinite(*v) ? FormatDouble(*v, std::chars_format::scientific, 6) : "-";
}

std::string RowLine(const geometry::LengthRuleRow& row) {
  std::string line = Cell(geometry::LengthRuleName(row.rule), kWidths[0]) +
                     Cell(Fixed(row.divisions, 0), kWidths[1]) +
                     Cell(std::to_string(row.evaluations), kWidths[2]) +
                     Cell(std::to_string(row.samples), kWidths[3]);
  if (row.error) {
    return line + i18n::Format(Tr("  計算できません（%1）"), {geometry::ErrorKindName(*row.error)});
  }
  return line + Cell(row.length ? Fixed(*row.length, 10) : "-", kWidths[4]) +
         Cell(Scientific(row.absoluteError), kWidths[5]) +
         Cell(Scientific(row.relativeError), kWidths[6]);
}

}  // namespace

std::string RulesText(const geometry::LengthRulesTable& table) {
  const geometry::MeasuredLength& r = table.reference;
  std::string text;
  if (std::isfinite(r.value)) {
    text = i18n::Format(
        Tr("長さの規則: 真の長さ（参照値） = %1（速さの評価 %2 回、誤差の見積もり %3）"),
        {Fixed(r.value, 10), std::to_string(r.evaluations),
         FormatDouble(r.estimate, std::chars_format::scientific, 6)});
  } else {
    text = i18n::Format(Tr("長さの規則: 真の長さ（参照値） = %1"), {Tr("求められません")});
  }
  if (!r.converged) text += Tr("（精度未達）");
  text += "\r\n";
  text += Cell(Tr("規則"), kWidths[0]) + Cell(Tr("分割数"), kWidths[1]) +
          Cell(Tr("評価数"), kWidths[2]) + Cell(Tr("標本数"), kWidths[3]) +
          Cell(Tr("長さ"), kWidths[4]) + Cell(Tr("誤差"), kWidths[5]) +
          Cell(Tr("相対誤差"), kWidths[6]) + "\r\n";
  for (const geometry::LengthRuleRow& row : table.rows) text += RowLine(row) + "\r\n";
  return text;
}

}  // namespace scene
