// --offsets and --offset-plot of the built tool: the JSON is the study's
// figures bit for bit and the same in both languages, --batch lines carry it,
// the text gives the tool tip's figure again and the same figures in both
// languages, and the plot the study's fewest pieces in the run's language.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <array>

#include "AnalysisText.h"
#include "Language.h"
#include "OffsetStudy.h"
#include "OffsetText.h"
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
  const QJsonArray pieces = ja["pieceH"].toArray();
  ASSERT_EQ(pieces.size(), 3);
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    const QJsonArray h = pieces[i].toObject()["h"].toArray();
    const std::vector<double>& expected = study.pieceH[static_cast<std::size_t>(i)];
    ASSERT_EQ(h.size(), static_cast<qsizetype>(expected.size()));
    for (qsizetype j = 0; j < h.size(); ++j) {
      EXPECT_EQ(h[j].toDouble(), expected[static_cast<std::size_t>(j)]);
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

TEST(OffsetTool, PlotCarriesTheStudysFewestPiecesInTheRunsLanguage) {
  const geometry::OffsetStudy study = geometry::StudyOffset(kTwoCuspPoints, 50);
  for (const auto& [language, title] :
       {std::pair{i18n::Language::Japanese, "<title>オフセット曲線の解析</title>"},
        std::pair{i18n::Language::English, "<title>Offset study</title>"}}) {
    i18n::SetLanguage(language);
    const std::string fewest = scene::FewestLine(study, 1);
    i18n::SetLanguage(i18n::Language::Japanese);
    const ToolRun svg = RunTool(QStringList{"--language", QString(i18n::NameOf(language).data()),
                                            "--offset-plot", "-", "--plot-format", "svg"} +
                                kTwoCusps);
    ASSERT_EQ(svg.exitCode, 0) << svg.err.toStdString();
    EXPECT_TRUE(svg.out.contains(title));
    EXPECT_TRUE(svg.out.contains("width=\"640\" height=\"400\""));
    // Qt writes a line as runs of one font each: their texts, joined.
    QString texts;
    static const QRegularExpression run(">([^<]*)</text>");
    for (auto it = run.globalMatch(QString::fromUtf8(svg.out)); it.hasNext();) {
      texts += it.next().captured(1);
    }
    EXPECT_TRUE(texts.contains(QString::fromStdString(fewest))) << fewest;
  }

  QTemporaryDir dir;
  const ToolRun both = RunTool(QStringList{"--offsets", "--offset-plot", dir.filePath("o.png"),
                                           "--scale", "2", "--plot", dir.filePath("c.svg")} +
                               kTwoCusps);
  ASSERT_EQ(both.exitCode, 0) << both.err.toStdString();
  EXPECT_TRUE(both.out.contains("オフセット曲線の解析（距離 50）"));
  EXPECT_EQ(QImage(dir.filePath("o.png")).size(), QSize(1280, 800));
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("c.svg")));

  // Every mistake: exit 2, nothing written anywhere.
  for (const QStringList& args :
       {QStringList{"--offset-plot", "-"}, QStringList{"--offset-plot", dir.filePath("o.txt")},
        QStringList{"--offset-plot", "-", "--plot", "-", "--plot-format", "svg"},
        QStringList{"--offset-plot", "-", "--plot-format", "png", "--offsets"},
        QStringList{"--offset-plot", dir.filePath("x.svg"), "--svg", dir.filePath("x.svg")},
        QStringList{"--offset-plot", ""}}) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.svg")));
}

}  // namespace
