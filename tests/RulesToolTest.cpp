// --rules and --rules-plot of the built tool: the table as text in both
// languages with the same figures as the "rules" member of --json, --batch
// lines with its keys, and the plot's options and files.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>

#include "ToolProcess.h"

namespace {

using testing_support::RunTool;
using testing_support::ToolRun;

const QStringList kLesson{"--state", BEZIERLAB_SOURCE "/docs/lesson.bezierlab"};

// The text's rows (after the reference's line and the headings), split at
// white space.
QList<QList<QByteArray>> TextRows(const QByteArray& out, const char* heading) {
  const qsizetype at = out.indexOf(heading);
  if (at < 0) return {};
  QList<QList<QByteArray>> rows;
  for (const QByteArray& line : out.mid(at).split('\n').mid(2)) {
    if (!line.trimmed().isEmpty()) rows.push_back(line.simplified().split(' '));
  }
  return rows;
}

TEST(RulesTool, TextAndJsonCarryTheSameTableInBothLanguages) {
  const char* headings[] = {"長さの規則: 真の長さ（参照値） = ", "Length rules: true length = "};
  const char* languages[] = {"ja", "en"};
  QList<QList<QByteArray>> rows[2];
  QJsonObject json[2];
  for (int i = 0; i < 2; ++i) {
    const ToolRun text = RunTool(QStringList{"--language", languages[i], "--rules"} + kLesson);
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    rows[i] = TextRows(text.out, headings[i]);
    const ToolRun run =
        RunTool(QStringList{"--language", languages[i], "--json", "--rules"} + kLesson);
    ASSERT_EQ(run.exitCode, 0);
    json[i] = QJsonDocument::fromJson(run.out).object();
  }
  EXPECT_EQ(rows[0], rows[1]);
  EXPECT_EQ(json[0]["rules"], json[1]["rules"]);

  const QJsonObject rules = json[0]["rules"].toObject();
  const QJsonObject reference = rules["reference"].toObject();
  const QStringList referenceKeys = reference.keys();
  EXPECT_EQ(QSet<QString>(referenceKeys.begin(), referenceKeys.end()),
            (QSet<QString>{"length", "evaluations", "estimate"}));
  // The window's analysis of the same state computes the same reference length.
  const ToolRun analysis = RunTool(QStringList{"--json", "--analysis"} + kLesson);
  const QJsonObject analysed =
      QJsonDocument::fromJson(analysis.out).object()["analysis"].toObject();
  EXPECT_EQ(reference["length"].toDouble(), analysed["referenceLength"].toDouble());
  EXPECT_GT(reference["evaluations"].toInt(), 0);
  EXPECT_LT(reference["estimate"].toDouble(), 1e-9 * reference["length"].toDouble());

  const QJsonArray list = rules["rows"].toArray();
  ASSERT_EQ(list.size(), 5 * 168);
  ASSERT_EQ(rows[0].size(), list.size());
  const QSet<QString> keys{"rule",   "evaluations",   "samples",
                           "length", "absoluteError", "relativeError"};
  QStringList order;
  for (qsizetype i = 0; i < list.size(); ++i) {
    const QJsonObject row = list[i].toObject();
    const QList<QByteArray>& cells = rows[0][i];
    const QStringList rowKeys = row.keys();
    EXPECT_EQ(QSet<QString>(rowKeys.begin(), rowKeys.end()), keys);
    const QString rule = row["rule"].toString();
    if (order.isEmpty() || order.back() != rule) order << rule;
    // The 100-division sum loses its last sample; the correction cannot bring it back.
    if (rule == "corrected" && cells.value(1) == "100") {
      EXPECT_EQ(row["samples"].toInt(), 99);
    }
    // rule, n, evaluations, samples, length (10 places), error, relative error (7 digits)
    ASSERT_EQ(cells.size(), 7) << i;
    EXPECT_EQ(QString::fromLatin1(cells[0]), rule) << i;
    EXPECT_EQ(cells[2].toLongLong(), row["evaluations"].toInteger()) << i;
    EXPECT_EQ(cells[3].toLongLong(), row["samples"].toInteger()) << i;
    EXPECT_NEAR(cells[4].toDouble(), row["length"].toDouble(), 6e-11) << i;
    const double error = row["absoluteError"].toDouble();
    EXPECT_NEAR(cells[5].toDouble(), error, 1e-6 * std::fabs(error)) << i;
    const double relative = row["relativeError"].toDouble();
    EXPECT_NEAR(cells[6].toDouble(), relative, 1e-6 * std::fabs(relative)) << i;
    EXPECT_NEAR(row["length"].toDouble() - reference["length"].toDouble(), error,
                1e-9 * reference["length"].toDouble())
        << i;
  }
  EXPECT_EQ(order, (QStringList{"left", "corrected", "trapezoid", "simpson", "gauss"}));

  const ToolRun batch = RunTool({"--batch"}, "--rules --distance 3\n--distance 3\n");
  const QList<QByteArray> lines = batch.out.split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(QJsonDocument::fromJson(lines[0]).object()["rules"].toObject()["rows"].toArray().size(),
            5 * 168);
  EXPECT_FALSE(QJsonDocument::fromJson(lines[1]).object().contains("rules"));
  EXPECT_EQ(RunTool({"--rules", "--svg", "-"}).exitCode, 2);
}

// --rules-plot takes --scale and --plot-format as --plot does; only one plot
// goes to standard output, and a plot's file is no other output's file.
TEST(RulesTool, ThePlotsOptionsAreCheckedAndItsFilesWritten) {
  QTemporaryDir dir;
  for (const QStringList& args :
       {QStringList{"--rules-plot", dir.filePath("r.txt")}, QStringList{"--rules-plot", "-"},
        QStringList{"--rules-plot", ""},
        QStringList{"--rules-plot", "-", "--plot", "-", "--plot-format", "svg"},
        QStringList{"--rules-plot", "-", "--plot-format", "svg", "--rules"},
        QStringList{"--rules-plot", dir.filePath("x.png"), "--plot", dir.filePath("x.png")},
        QStringList{"--rules-plot", dir.filePath("x.png"), "--png", dir.filePath("x.png")},
        QStringList{"--batch", "--rules-plot", dir.filePath("x.png")}}) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << args.join(' ').toStdString();
    EXPECT_FALSE(run.err.isEmpty()) << args.join(' ').toStdString();
  }
  EXPECT_TRUE(RunTool({"--rules-plot", "-", "--plot", "-", "--plot-format", "svg"})
                  .err.contains("--plot - と --rules-plot -"));

  // Both plots in one run, --plot-format naming the format of both.
  const ToolRun both =
      RunTool(QStringList{"--language", "en", "--scale", "2", "--plot-format", "svg", "--plot",
                          dir.filePath("c.out"), "--rules-plot", dir.filePath("r.out")} +
              kLesson);
  ASSERT_EQ(both.exitCode, 0) << both.err.toStdString();
  EXPECT_TRUE(both.out.startsWith("P(0) = ( 20 , 200 )"));  // the report still goes to stdout
  QFile rules(dir.filePath("r.out")), convergence(dir.filePath("c.out"));
  ASSERT_TRUE(rules.open(QIODevice::ReadOnly) && convergence.open(QIODevice::ReadOnly));
  const QByteArray svg = rules.readAll();
  EXPECT_TRUE(svg.contains("<title>Length rules</title>"));
  EXPECT_TRUE(svg.contains("width=\"1280\" height=\"800\"")) << svg.left(300).toStdString();
  EXPECT_TRUE(svg.contains("gauss (Gauss-Legendre)"));
  EXPECT_NE(svg, convergence.readAll());

  for (const char* language : {"ja", "en"}) {
    const ToolRun png = RunTool(QStringList{"--language", language, "--rules-plot", "-",
                                            "--plot-format", "png", "--scale", "2"} +
                                kLesson);
    ASSERT_EQ(png.exitCode, 0) << png.err.toStdString();
    const QImage image = QImage::fromData(png.out, "PNG");
    EXPECT_EQ(image.size(), QSize(1280, 800)) << language;
  }
}

}  // namespace
