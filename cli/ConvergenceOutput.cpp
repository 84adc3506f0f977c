#include "ConvergenceOutput.h"

#include <QFileInfo>
#include <cmath>

#include "PathBytes.h"
#include "Report.h"
#include "ReportJson.h"
#include "TextColumns.h"
#include "Tr.h"

namespace cli {

using i18n::Tr;

namespace {

using geometry::ConvergenceRow;

using scene::Cell;

constexpr int kWidths[] = {7, 7, 18, 16, 14};

std::string RowLine(const ConvergenceRow& row) {
  std::string line =
      Cell(scene::FormatDouble(row.divisions, std::chars_format::fixed, 0), kWidths[0]) +
      Cell(std::to_string(row.samples), kWidths[1]);
  if (row.error) return line + i18n::Format(Tr("  計算できません（%1）"), {ErrorName(*row.error)});
  line += Cell(row.length ? scene::FormatDouble(*row.length, std::chars_format::fixed, 10) : "-",
               kWidths[2]);
  line += Cell(row.absoluteError
                   ? scene::FormatDouble(*row.absoluteError, std::chars_format::scientific, 6)
                   : "-",
               kWidths[3]);
  line += Cell(row.relativeError
                   ? scene::FormatDouble(*row.relativeError, std::chars_format::scientific, 6)
                   : "-",
               kWidths[4]);
  return line;
}

}  // namespace

std::optional<UsageError> ReadPlotFile(const state::FoundOptions& found, const char* option,
                                       std::optional<QString>& file, QString& format) {
  const bool formatGiven = found.IsSet("plot-format");
  const QString name = state::FromBytes(*found.Value(option));
  const std::string dashed = state::Dashed(option);
  if (name.isEmpty()) return UsageError{i18n::Format(Tr("%1 のファイル名が空です"), {dashed})};
  format = formatGiven ? state::FromBytes(*found.Value("plot-format"))
                       : QFileInfo(name).suffix().toLower();
  if (formatGiven && format != "svg" && format != "png") {
    return UsageError{
        i18n::Format(Tr("--plot-format は svg か png です（「%1」）"), {format.toStdString()})};
  }
  if (name == "-" && !formatGiven) {
    return UsageError{i18n::Format(Tr("%1 - には --plot-format svg か png が要ります"), {dashed})};
  }
  if (format != "svg" && format != "png") {
    return UsageError{i18n::Format(
        Tr("%1 のファイル名は .svg か .png で終えるか、--plot-format を付けます"), {dashed})};
  }
  file = name;
  return std::nullopt;
}

std::optional<UsageError> ReadConvergenceOptions(const state::FoundOptions& found,
                                                 Request& request) {
  request.convergence = found.IsSet("convergence");
  if (!found.IsSet("plot")) {
    if (found.IsSet("plot-format") && !found.IsSet("offset-plot")) {
      return UsageError{Tr("--plot-format は --plot と一緒に使います")};
    }
    return std::nullopt;
  }
  if (auto error = ReadPlotFile(found, "plot", request.plot, request.plotFormat)) return error;
  return CheckStandardOutput(found, request);
}

QJsonArray ConvergenceJson(const geometry::ConvergenceTable& table) {
  QJsonArray rows;
  for (const ConvergenceRow& row : table.rows) {
    QJsonObject object = SumJson(row);
    object.insert(QStringLiteral("divisions"), row.divisions);
    rows.append(object);
  }
  return rows;
}

void InsertConvergence(QJsonObject& object, const geometry::ConvergenceTable& table) {
  object.insert(QStringLiteral("convergence"), ConvergenceJson(table));
  object.insert(QStringLiteral("convergenceReference"),
                QJsonObject{{"length", OptionalNumber(table.referenceLength)},
                            {"converged", table.referenceConverged}});
}

std::string ConvergenceText(const geometry::ConvergenceTable& table) {
  std::string text = Tr("長さの収束: 真の長さ（参照値）") + std::string(" = ");
  text += std::isfinite(table.referenceLength)
              ? scene::FormatDouble(table.referenceLength, std::chars_format::fixed, 10)
              : std::string(Tr("求められません"));
  if (!table.referenceConverged) text += Tr("（精度未達）");
  text += "\r\n";
  text += Cell(Tr("分割数"), kWidths[0]) + Cell(Tr("標本数"), kWidths[1]) +
          Cell(Tr("長さ"), kWidths[2]) + Cell(Tr("誤差"), kWidths[3]) +
          Cell(Tr("相対誤差"), kWidths[4]) + "\r\n";
  for (const ConvergenceRow& row : table.rows) text += RowLine(row) + "\r\n";
  return text;
}

}  // namespace cli
