// --convergence and --plot of the built tool: the table in JSON and --batch,
// failed sums by their error, and the plot's SVG, whose marks and line are
// checked against the table the tool lists.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPointF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "ToolProcess.h"

namespace {

using testing_support::RunProgram;
using testing_support::RunTool;
using testing_support::ToolRun;

QJsonArray Rows(const QStringList& state) {
  const ToolRun run = RunTool(QStringList{"--json", "--convergence"} + state);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  return QJsonDocument::fromJson(run.out).object()["convergence"].toArray();
}

TEST(ConvergenceTool, FailedSumsAreNullWithTheirErrorAndBatchLinesListTheTable) {
  const QJsonArray failed = Rows({"--points", "0,0,400000000,0,0,0,0,0"});
  ASSERT_EQ(failed.size(), 168);
  for (const auto& value : failed) {
    const QJsonObject row = value.toObject();
    EXPECT_EQ(row["error"].toString(), "Overflow");
    for (const char* key : {"length", "absoluteError", "relativeError"}) {
      EXPECT_TRUE(row[key].isNull()) << key;
    }
  }
  const ToolRun batch =
      RunTool({"--batch"}, "--convergence --points 0,0,100,0,200,0,300,0\n--grabbed 1\n");
  const QList<QByteArray> lines = batch.out.split('\n');
  ASSERT_GE(lines.size(), 2);
  const QJsonArray rows = QJsonDocument::fromJson(lines[0]).object()["convergence"].toArray();
  ASSERT_EQ(rows.size(), 168);
  EXPECT_EQ(rows[0].toObject()["samples"].toInt(), 1);
  EXPECT_FALSE(QJsonDocument::fromJson(lines[1]).object().contains("convergence"));

  const ToolRun text = RunTool({"--convergence", "--divisions", ""});
  EXPECT_TRUE(text.out.contains("\n長さの収束: 真の長さ（参照値） = 200.0000000000\n"));
  EXPECT_TRUE(text.out.contains("\n    100     99    197.0694000")) << text.out.toStdString();
}

TEST(ConvergenceTool, PlotOptionsAreCheckedAndFilesWrittenWhole) {
  QTemporaryDir dir;
  for (const QStringList& args :
       {QStringList{"--plot-format", "svg"}, QStringList{"--plot", dir.filePath("p.txt")},
        QStringList{"--plot", "-"}, QStringList{"--plot", "-", "--plot-format", "gif"},
        QStringList{"--plot", "-", "--plot-format", "svg", "--json"},
        QStringList{"--plot", "-", "--plot-format", "png", "--svg", "-"}}) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
  const ToolRun unwritable = RunTool({"--plot", dir.filePath("missing/p.png")});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_TRUE(unwritable.err.contains("missing/p.png")) << unwritable.err.toStdString();

  const ToolRun png = RunTool({"--plot", dir.filePath("p.png"), "--scale", "2"});
  EXPECT_EQ(png.exitCode, 0);
  QFile file(dir.filePath("p.png"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("\x89PNG"));
  EXPECT_TRUE(png.out.startsWith("P(0) = ( 50 , 50 )"));  // the report still goes to stdout
}

// The README's example: the line has one vertex per row with a relative error
// a log axis can show, the four counts are marked at their n and labelled,
// ticked ones in bold; the caption counts the points.
TEST(ConvergenceTool, PlotSvgHoldsTheFourLabelledMarksAndOneVertexPerShowableRow) {
  const QStringList state{"--points", "20,200,90,15,240,30,130,250", "--divisions", "10,1000"};
  int showable = 0;
  for (const auto& row : Rows(state)) {
    const QJsonValue e = row.toObject()["relativeError"];
    if (!e.isNull() && e.toDouble() != 0) ++showable;
  }
  EXPECT_GT(showable, 160);
  const ToolRun run = RunTool(QStringList{"--plot", "-", "--plot-format", "svg"} + state);
  ASSERT_EQ(run.exitCode, 0);
  const QString svg = QString::fromUtf8(run.out);

  // Every polyline with the stroke colour of the group it is drawn in.
  struct Polyline {
    QString stroke;
    QList<QPointF> points;
  };
  QList<Polyline> polylines;
  QString stroke;
  const QRegularExpression element(
      R"re(<g [^>]*stroke="([^"]*)"|<polyline[^>]*points="([^"]*)")re");
  for (auto it = element.globalMatch(svg); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    if (match.capturedLength(1) > 0) {
      stroke = match.captured(1);
      continue;
    }
    Polyline line{stroke, {}};
    for (const QString& pair : match.captured(2).split(' ', Qt::SkipEmptyParts)) {
      line.points << QPointF(pair.section(',', 0, 0).toDouble(),
                             pair.section(',', 1, 1).toDouble());
    }
    polylines << line;
  }
  int lines = 0;
  for (const Polyline& line : polylines) lines += line.points.size() == showable ? 1 : 0;
  EXPECT_EQ(lines, 1);

  // Each mark: a vertical line with its label centred above it.
  const char* labels[] = {"10分割", "100分割", "1000分割", "10000分割"};
  const bool ticked[] = {true, false, true, false};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(labels[i]);
    const QRegularExpression text(
        QStringLiteral(R"re(<text [^>]*x="([0-9.]+)"[^>]*font-weight="(\d+)"[^>]*\s*>%1</text>)re")
            .arg(QString::fromUtf8(labels[i])));
    const QRegularExpressionMatch label = text.match(svg);
    ASSERT_TRUE(label.hasMatch());
    EXPECT_EQ(label.captured(2).toInt() > 400, ticked[i]);
    const double left = label.captured(1).toDouble();
    int marks = 0;
    for (const Polyline& line : polylines) {
      const QList<QPointF>& points = line.points;
      if (line.stroke != (ticked[i] ? "#e08000" : "#909090")) continue;
      if (points.size() == 2 && points[0].x() == points[1].x() &&
          std::fabs(points[0].y() - points[1].y()) > 200 && points[0].x() > left &&
          points[0].x() < left + 80) {
        ++marks;
      }
    }
    EXPECT_EQ(marks, 1);
  }
  EXPECT_TRUE(svg.contains(QStringLiteral("点 %1 個").arg(showable)));
}

// Wide coordinates: the caption is wrapped, not cut at the right edge. The
// SVG writes a line as runs of text (one per font); the reference length
// starts a line of its own at the left margin, and every run starts inside.
TEST(ConvergenceTool, AWideStatesCaptionKeepsTheReferenceLength) {
  const ToolRun run = RunTool({"--points", "-1000000,0,0,1000000,1000000,1000000,0,-1000000",
                               "--plot", "-", "--plot-format", "svg"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QRegularExpression text(
      R"re(<text [^>]*x="([-0-9.]+)" y="([-0-9.]+)"[^>]*\s*>([^<]*)</text>)re");
  QMap<QString, QString> lines;  // the runs at each baseline, in order
  QMap<QString, double> starts;  // where each baseline's first run starts
  for (auto it = text.globalMatch(QString::fromUtf8(run.out)); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    EXPECT_LT(match.captured(1).toDouble(), 640) << match.captured(3).toStdString();
    if (!lines.contains(match.captured(2)))
      starts[match.captured(2)] = match.captured(1).toDouble();
    lines[match.captured(2)] += match.captured(3);
  }
  const QString reference = QStringLiteral("真の長さ（参照値） = 3220216.9491");
  const QStringList found = lines.values().filter(reference);
  ASSERT_EQ(found.size(), 1);
  EXPECT_TRUE(found[0].startsWith(reference)) << found[0].toStdString();
  EXPECT_EQ(starts[lines.key(found[0])], 72);
}

// The README's three --plot lines, and the screenshot tool, run where the
// runtime folder is missing (su -, cron), empty, too open (0755) or someone
// else's (a plain su): nothing of Qt's own reaches stderr, a folder that was
// given is left as it was, and the private folder made instead is gone
// afterwards.
TEST(ConvergenceTool, GuiRunsPrintNothingOfQtsWhateverTheRuntimeFolder) {
  QTemporaryDir dir, temp, given;
  const QString wide = given.filePath("wide");
  const QString others = given.filePath("others");
  ASSERT_TRUE(QDir().mkdir(wide) && QDir().mkdir(others));
  ASSERT_EQ(::chmod(QFile::encodeName(wide).constData(), 0755), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(others).constData(), 0700), 0);
  const bool chowned =
      ::chown(QFile::encodeName(others).constData(), 65534, 65534) == 0 && ::geteuid() != 65534;
  std::vector<std::optional<QString>> folders{std::nullopt, QString(), wide};
  if (chowned) folders.emplace_back(others);
  const QStringList state{"--points", "20,200,90,15,240,30,130,250"};
  for (const std::optional<QString>& folder : folders) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    if (folder) environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), *folder);
    environment.insert(QStringLiteral("TMPDIR"), temp.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const std::string where = folder ? "XDG_RUNTIME_DIR=" + folder->toStdString() : "unset";
    for (const QStringList& plot : {QStringList{"--plot", dir.filePath("c.png")},
                                    QStringList{"--plot", dir.filePath("c-2x.png"), "--scale", "2"},
                                    QStringList{"--plot", dir.filePath("c.svg")}}) {
      const ToolRun run = RunTool(state + plot, {}, environment);
      EXPECT_EQ(run.exitCode, 0) << where << " " << plot.join(' ').toStdString();
      EXPECT_EQ(run.err.toStdString(), "") << where << " " << plot.join(' ').toStdString();
      EXPECT_TRUE(QFile::exists(plot[1]));
    }
    const ToolRun shot = RunProgram(QStringLiteral(BEZIERLAB_SCREENSHOT),
                                    {"--report", dir.filePath("s.png")}, {}, environment);
    EXPECT_EQ(shot.exitCode, 0) << where;
    EXPECT_EQ(shot.err.toStdString(), "") << where;
    EXPECT_TRUE(shot.out.startsWith("P(0) = ")) << where;
    EXPECT_TRUE(QDir(temp.path()).isEmpty()) << where;
  }
  EXPECT_EQ(QFileInfo(wide).permissions() & QFile::ReadGroup, QFile::ReadGroup);
  EXPECT_TRUE(QDir(wide).isEmpty());
  if (!chowned) GTEST_SKIP() << "cannot give a folder to another user here (not root)";
}

// Under a locale whose decimal separator is a comma (German, built into a
// temporary folder as a user without it installed would), every number the
// tool prints, writes and reads is as in the C locale.
TEST(ConvergenceTool, NumbersDoNotFollowTheLocale) {
  QTemporaryDir dir;
  QProcess localedef;
  localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", dir.filePath("de_DE.UTF-8")});
  localedef.waitForFinished(60000);
  if (!QFile::exists(dir.filePath("de_DE.UTF-8/LC_NUMERIC"))) {
    GTEST_SKIP() << "localedef cannot build de_DE.UTF-8 here (the package locales is missing)";
  }
  QProcessEnvironment c = QProcessEnvironment::systemEnvironment();
  c.insert("LC_ALL", "C.UTF-8");
  QProcessEnvironment german = c;
  german.insert("LOCPATH", dir.path());
  german.insert("LC_ALL", "de_DE.UTF-8");
  // German asks for English texts; LANGUAGE keeps them Japanese, so that only
  // the numbers could differ.
  german.insert("LANGUAGE", "ja");
  ASSERT_EQ(testing_support::RunShell(dir.path(), "/usr/bin/printf %.1f 0.5", german).out, "0,5");

  QFile file(dir.filePath("s.bezierlab"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"state": {"distance": 2.5, "divisions": [10, 100, 1000, 10000]}})");
  file.close();
  const QStringList runs[] = {
      {"--convergence", "--analysis", "--distance", "12.5"},
      {"--json", "--convergence", "--analysis", "--state", file.fileName()},
      {"--state", file.fileName(), "--svg", "-", "--distance", "0.75"},
      {"--plot", "-", "--plot-format", "svg", "--points", "0,0,300,-40,20,90,1000,7"},
  };
  for (const QStringList& arguments : runs) {
    const ToolRun inC = RunTool(arguments, {}, c);
    const ToolRun inGerman = RunTool(arguments, {}, german);
    EXPECT_EQ(inC.exitCode, 0) << inC.err.toStdString();
    EXPECT_EQ(inGerman.out, inC.out) << arguments.join(' ').toStdString();
  }
  const QByteArray lines = "--distance 2.5 --convergence\n--distance 1,5\n";
  EXPECT_EQ(RunTool({"--batch"}, lines, german).out, RunTool({"--batch"}, lines, c).out);
}

}  // namespace
