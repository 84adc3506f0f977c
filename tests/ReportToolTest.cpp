// The built report tool as a user runs it: exit codes, messages, files that
// are written whole or not at all, and no GUI application or plugin behind
// any of it.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cerrno>
#include <memory>

#include "FanOutSurface.h"
#include "ReadWhole.h"
#include "Scene.h"
#include "ToolProcess.h"

namespace {

using testing_support::RunShell;
using testing_support::RunTool;
using testing_support::ToolRun;

TEST(ReportTool, UsageErrorsExitTwoWithOneLineAndNothingWritten) {
  QTemporaryDir dir;
  const QString png = dir.filePath("out.png");
  const std::vector<QStringList> cases{
      {"--png", png, "--points", "1,2,3"},
      {"--png", png, "--distance", "nan"},
      {"--png", png, "--scale", "5"},
      {"--png", png, "--grabbed", "7"},
      {"--png", png, "--divisions", "20"},
      {"--png", png, "-points", "1,2,3,4,5,6,7,8"},
      {"--png", png, "--png", png},
      {"--png", png, "--unknown"},
      {"--batch", "--png", png},
      {"--png", png, "--svg", png},
      {"--scale", "2"},
  };
  for (const QStringList& args : cases) {
    const ToolRun run = RunTool(args);
    EXPECT_FALSE(run.crashed);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("bezierlab-report: ")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(png));
  }
}

TEST(ReportTool, AnUnwritableFileExitsOneAndLeavesNothingBehind) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("taken.svg"));  // a folder where the file should go
  for (const QStringList& args :
       {QStringList{"--png", dir.filePath("missing/out.png")},
        QStringList{"--svg", dir.filePath("taken.svg")},
        QStringList{"--png", dir.filePath("a.png"), "--svg", dir.filePath("taken.svg")}}) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(args.last().toUtf8())) << run.err.toStdString();
  }
  // Not even the picture that could have been written; no temporary file.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
            (QStringList{"taken.svg"}));
}

TEST(ReportTool, AFileSizeLimitKeepsTheOldPictureAndSaysWhy) {
  QTemporaryDir dir;
  const QByteArray old = RunTool({"--png", "-"}).out;
  ASSERT_FALSE(old.isEmpty());
  QFile keep(dir.filePath("keep.png"));
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write(old) == old.size());
  keep.close();

  const ToolRun run =
      RunShell(dir.path(),
               R"(trap '' XFSZ; ulimit -f 1; exec "$TOOL" --svg a.svg --png keep.png --scale 4)");
  EXPECT_FALSE(run.crashed);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(files::Reason(EFBIG))) << run.err.toStdString();
  ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
  EXPECT_EQ(keep.readAll(), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
            (QStringList{"keep.png"}));

  // A batch whose input cannot be read ends with exit 1 and the reason.
  const ToolRun batch = RunShell(dir.path(), R"("$TOOL" --batch < .)");
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_TRUE(batch.err.contains(files::Reason(EISDIR))) << batch.err.toStdString();
}

// A file name that is no UTF-8 (Latin-1 "café" under a UTF-8 locale) is
// written and read by exactly its bytes, and a message shows it with that
// byte escaped. QProcess hands arguments over as UTF-8 text: only a shell
// passes such bytes on.
TEST(ReportTool, APathIsTheBytesGiven) {
  QTemporaryDir dir;
  // Qt can neither list nor remove such names: the shell removes them.
  const std::unique_ptr<QTemporaryDir, void (*)(QTemporaryDir*)> cleanup(
      &dir, [](QTemporaryDir* d) { RunShell(d->path(), "rm -rf ./*"); });
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C.UTF-8");
  const QString name = R"(n=$(printf 'caf\351'); )";
  const ToolRun written =
      RunShell(dir.path(),
               name + R"("$TOOL" --png "$n.png" --svg "$n.svg" --plot "$n-plot.svg")"
                      R"( --json --distance 12 > "$n.json")"
                      // The screenshot tool writes its picture the same way.
                      R"( && QT_QPA_PLATFORM=offscreen "$SCREENSHOT" "$n-window.png")",
               env);
  ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
  const std::string folder = dir.path().toStdString() + "/";
  for (const char* suffix : {".png", ".svg", "-plot.svg", "-window.png"}) {
    struct stat file {};
    EXPECT_EQ(::stat((folder + "caf\xe9" + suffix).c_str(), &file), 0) << suffix;
    EXPECT_GT(file.st_size, 0) << suffix;
    EXPECT_NE(::stat((folder + "caf\uFFFD" + suffix).c_str(), &file), 0) << suffix;
  }

  // Read back by --state, on the command line and in a batch line.
  const ToolRun read = RunShell(
      dir.path(),
      name +
          R"("$TOOL" --state "$n.json" --json && printf -- '--state %s\n' "$n.json" | "$TOOL" --batch)",
      env);
  EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
  const QList<QByteArray> lines = read.out.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2) << read.out.toStdString();
  for (const QByteArray& line : lines) {
    EXPECT_TRUE(line.contains(R"("distance":12)")) << line.toStdString();
  }

  const ToolRun failed = RunShell(
      dir.path(), name + R"("$TOOL" --state "$n.none"; "$TOOL" --png "$n.none/x.png")", env);
  EXPECT_EQ(failed.err.toStdString(),
            "bezierlab-report: --state の状態ファイル「caf\\xe9.none」がありません\n"
            "bezierlab-report: ファイル「caf\\xe9.none/x.png」に書き込めません: "
            "ファイルもフォルダーもありません\n");

  // The window's FILE: the message is about what the file holds, and names it.
  // A bad FILE is also shown in a message box, which waits: the window is
  // ended once it has written its line.
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("WINDOW", BEZIERLAB_WINDOW);
  QProcess window;
  window.setWorkingDirectory(dir.path());
  window.setProcessEnvironment(env);
  window.start("sh",
               {"-c", name + R"(printf '{' > "$n.bezierlab"; exec "$WINDOW" "$n.bezierlab")"});
  QByteArray err;
  for (int waited = 0; !err.contains('\n') && waited < 100; ++waited) {
    window.waitForFinished(100);
    err += window.readAllStandardError();
  }
  window.kill();
  window.waitForFinished();
  EXPECT_TRUE(err.contains("bezierlab: 状態ファイル「caf\\xe9.bezierlab」: JSON として読めません"))
      << err.toStdString();
}

TEST(ReportTool, WritesReportPicturesAndBatchWithoutAnyGuiPlugin) {
  // A platform that does not exist and plugin tracing on: a GUI application
  // would fail to start, and any plugin loaded would be traced on stderr.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "no-such-platform");
  env.insert("QT_DEBUG_PLUGINS", "1");
  QTemporaryDir dir;

  const ToolRun text = RunTool({"--divisions=10,100"}, {}, env);
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_EQ(text.err, "");
  scene::State state;
  state.divisions = {true, true, false, false};
  drawing::FanOutSurface nothing(260, 260);
  const QByteArray expected = QByteArray::fromStdString(scene::Report(scene::Draw(state, nothing)));
  EXPECT_EQ(text.out, QByteArray(expected).replace("\r\n", "\n"));
  EXPECT_EQ(RunTool({"--divisions=100,10", "--crlf"}, {}, env).out, expected);
  // The analysis follows the report after an empty line.
  const QByteArray analysed = RunTool({"--divisions=10,100", "--analysis"}, {}, env).out;
  EXPECT_TRUE(analysed.startsWith(text.out + "\n真の長さ（参照値） = 200\n"))
      << analysed.toStdString();
  EXPECT_TRUE(analysed.contains("\nLength(100分割) の誤差 = -2.9306（-1.4653%、99点）\n"));

  const ToolRun pictures = RunTool(
      {"--png", dir.filePath("s.png"), "--scale", "3", "--svg", dir.filePath("s.svg")}, {}, env);
  EXPECT_EQ(pictures.exitCode, 0);
  EXPECT_EQ(pictures.err, "");
  EXPECT_EQ(QImage(dir.filePath("s.png")).size(), QSize(780, 780));
  QFile svg(dir.filePath("s.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray document = svg.readAll();
  EXPECT_TRUE(document.contains(R"(<svg width="780" height="780")"));  // pixels, scaled
  EXPECT_TRUE(document.contains(R"(viewBox="0 0 260 260")"));
  EXPECT_TRUE(document.contains(R"(fill="#efefef")"));
  EXPECT_TRUE(document.contains(R"(d="M50,50 C150,50 150,150 50,150 ")"));  // the curve
  EXPECT_TRUE(document.contains(R"(d="M50,20 C170,20 170,180 50,180 ")"));  // the yellow one
  EXPECT_FALSE(document.contains("font-size=\"-"));

  const ToolRun toStdout = RunTool({"--png", "-", "--scale", "2"}, {}, env);
  EXPECT_EQ(QImage::fromData(toStdout.out, "PNG").size(), QSize(520, 520));

  const ToolRun batch = RunTool({"--batch"}, "--grabbed 9\n--grabbed 1 --analysis\n", env);
  EXPECT_EQ(batch.exitCode, 0);
  EXPECT_EQ(batch.out.count('\n'), 2);
  EXPECT_TRUE(batch.out.contains(R"("analysis":{)"));

  for (const char* info : {"--help", "--version"}) {
    const ToolRun run = RunTool({info}, {}, env);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(info == std::string("--help") ? "使い方" : "bezierlab-report "));
  }
}

}  // namespace
