// --offsets of the built tool: its JSON is the study's figures bit for bit and
// the same in both languages, --batch lines carry it, and its text gives the
// tool tip's figure again and the same figures in both languages.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "AnalysisText.h"
#include "OffsetStudy.h"
#include "ToolProcess.h"

namespace {

using testing_support::RunTool;
using testing_support::ToolRun;

// The two-cusp state at distance 50.
const QStringList kTwoCusps{"--points", "50,150,150,150,150,50,50,50", "--distance", "50"};
constexpr std::array<geometry::IntPoint, 4> kTwoCuspPoints{
    {{50, 150}, {150, 150}, {150, 50}, {50, 50}}};

QJsonObject Offsets(const QString& language, const QStringList& state) {
  const ToolRun run = RunTool(QStringList{"--language", language, "--json", "--offsets"} + state);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  return QJsonDocument::fromJson(run.out).object()["offsets"].toObject();
}

// Every number of a text line, sorted, so that word order does not count.
QStringList Figures(const QString& line) {
  static const QRegularExpression number(R"(-?[0-9]+(\.[0-9]+)?(e[-+][0-9]+)?)");
  QStringList figures;
  for (auto it = number.globalMatch(line); it.hasNext();) figures << it.next().captured();
  figures.sort();
  return figures;
}

TEST(OffsetTool, JsonIsTheStudyInEveryLanguageAndBatchLinesCarryIt) {
  const QJsonObject ja = Offsets("ja", kTwoCusps);
  EXPECT_EQ(ja, Offsets("en", kTwoCusps));

  const geometry::OffsetStudy study = geometry::StudyOffset(kTwoCuspPoints, 50);
  ASSERT_EQ(study.cusps.size(), 2U);
  const QJsonArray cusps = ja["cusps"].toArray();
  ASSERT_EQ(cusps.size(), 2);
  for (qsizetype i = 0; i < cusps.size(); ++i) {
    EXPECT_EQ(cusps[i].toObject()["t"].toDouble(), study.cusps[i].t);
    EXPECT_EQ(cusps[i].toObject()["x"].toDouble(), study.cusps[i].x);
  }
  for (const char* key : {"h", "curvature", "factor"}) {
    const QJsonArray values = ja[key].toArray();
    const std::vector<double>& expected = std::string_view(key) == "h"        ? study.h
                                          : std::string_view(key) == "factor" ? study.factor
                                                                              : study.curvature;
    ASSERT_EQ(values.size(), geometry::kStudySamples) << key;
    for (qsizetype i = 0; i < values.size(); ++i) {
      EXPECT_EQ(values[i].toDouble(), expected[static_cast<std::size_t>(i)]) << key << i;
    }
  }
  const QJsonArray rows = ja["splitting"].toArray();
  ASSERT_EQ(rows.size(), static_cast<qsizetype>(study.splitting.size()));
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const geometry::SplitRow& row = study.splitting[static_cast<std::size_t>(i)];
    EXPECT_EQ(rows[i].toObject()["pieces"].toInt(), row.pieces);
    EXPECT_EQ(rows[i].toObject()["deviation"].toDouble(), *row.deviation);
    EXPECT_EQ(rows[i].toObject()["ratio"].isNull(), !row.ratio);
  }
  EXPECT_EQ(ja["asDrawn"].toObject()["max"].toDouble(), study.asDrawn->max);
  EXPECT_EQ(ja["fewest"].toArray()[1].toObject()["pieces"].toInt(), *study.fewest[1]);
  EXPECT_EQ(ja["negative"].toArray()[0].toObject()["from"].toDouble(), study.cusps[0].t);

  const ToolRun batch =
      RunTool({"--batch"}, ("--offsets " + kTwoCusps.join(' ') + "\n--distance 3\n").toUtf8());
  const QList<QByteArray> lines = batch.out.split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(QJsonDocument::fromJson(lines[0]).object()["offsets"].toObject(), ja);
  EXPECT_FALSE(QJsonDocument::fromJson(lines[1]).object().contains("offsets"));

  const ToolRun picture = RunTool({"--offsets", "--png", "-"});
  EXPECT_EQ(picture.exitCode, 2);
  EXPECT_TRUE(picture.out.isEmpty());
}

TEST(OffsetTool, TextGivesTheTipsFigureAgainAndTheSameFiguresInBothLanguages) {
  QList<QStringList> texts;
  for (const QString& language : {QStringLiteral("ja"), QStringLiteral("en")}) {
    const ToolRun run =
        RunTool(QStringList{"--language", language, "--analysis", "--offsets"} + kTwoCusps);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    texts.append(QString::fromUtf8(run.out).split('\n'));
  }
  const QStringList& ja = texts[0];
  ASSERT_EQ(ja.size(), texts[1].size());
  const QString tip = ja.filter("近似オフセット曲線（黄）のずれ = ").value(0);
  EXPECT_EQ(ja.count(tip), 2) << ja.join('\n').toStdString();
  const geometry::OffsetStudy figures = geometry::StudyOffset(kTwoCuspPoints, 50);
  EXPECT_TRUE(tip.contains(QString::fromStdString(scene::RoundedFigure(figures.asDrawn->max))))
      << tip.toStdString();
  const qsizetype study = ja.indexOf("オフセット曲線の解析（距離 50）");
  ASSERT_GT(study, 0);
  EXPECT_TRUE(ja[study - 1].isEmpty());
  for (qsizetype i = 0; i < ja.size(); ++i) {
    EXPECT_EQ(Figures(ja[i]), Figures(texts[1][i])) << ja[i].toStdString();
  }
}

}  // namespace
