// State files: what a file may hold and the messages for what it may not, the
// report tool's --state on its command line and in --batch lines, its JSON
// read back as a state, and the window program's refusals at start.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "PathBytes.h"
#include "StateFile.h"
#include "ToolProcess.h"

namespace {

using testing_support::RunTool;
using testing_support::ToolRun;

std::string Refusal(const QByteArray& bytes) {
  const auto parsed = state::ParseStateFile(bytes);
  const auto* error = std::get_if<state::UsageError>(&parsed);
  return error == nullptr ? "accepted" : error->message;
}

QString Write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
  QFile file(dir.filePath(QString::fromLatin1(name)));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return file.fileName();
}

TEST(StateFile, MissingMembersKeepTheStartAndMistakesAreNamed) {
  const auto parsed = state::ParseStateFile(R"({"state": {"distance": 12}, "other": [1]})");
  const scene::State state = std::get<scene::State>(parsed);
  EXPECT_EQ(state.dist, 12.0F);
  EXPECT_EQ(state.P, scene::kStartPoints);
  EXPECT_EQ(state.divisions, (std::array<bool, 4>{false, false, true, false}));

  EXPECT_EQ(Refusal(R"({"points": []})"), "\"state\" メンバーがありません");
  EXPECT_EQ(Refusal(R"({"state": {"accurate": 1}})"),
            "\"state\" の \"accurate\" の値「1」は使えません: true か false を書きます");
  EXPECT_EQ(Refusal(R"({"state": {"divisions": [1000, 20]}})"),
            "\"state\" の \"divisions\" の値「[1000,20]」は使えません: "
            "10, 100, 1000, 10000 から選んだ数の配列を書きます");
  EXPECT_TRUE(Refusal(R"({"state": {"points": [[1,2],[3,4],[5,6],[7,8.5]]}})")
                  .starts_with("\"state\" の \"points\" の値「[[1,2],[3,4],[5,6],[7,8.5]]」"));
  EXPECT_EQ(Refusal(R"({"state": {"grabbed": 4}})"),
            "\"state\" の \"grabbed\" の値「4」は使えません: -1 から 3 の整数を書きます");
  EXPECT_EQ(Refusal(R"({"state": {"distance": 1e39}})"),
            "\"state\" の \"distance\" の値「1e+39」は使えません: 単精度の範囲を超えています");
  EXPECT_TRUE(Refusal(R"({"state": {"Distance": 3}})")
                  .starts_with("\"state\" に知らないメンバー \"Distance\""));
  EXPECT_EQ(Refusal("[1]"), "JSON のオブジェクトではありません");
}

TEST(StateFile, TheToolReadsAStateFileAndItsOwnJson) {
  QTemporaryDir dir;
  const QString file = Write(dir, "s.bezierlab",
                             R"({"state": {"points": [[0,0],[300,-40],[20,90],[1000,7]],
                                           "divisions": [10, 10000], "approximate": false}})");
  const ToolRun fromFile = RunTool({"--state", file, "--distance", "0.1"});
  const ToolRun fromOptions = RunTool({"--points", "0,0,300,-40,20,90,1000,7", "--divisions",
                                       "10,10000", "--no-approximate", "--distance", "0.1"});
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
  EXPECT_EQ(fromFile.out, fromOptions.out);

  // The tool's JSON output opens as a state: the same state, the same JSON.
  const ToolRun json = RunTool({"--state", file, "--distance", "0.1", "--grabbed", "3", "--json"});
  const QString again = Write(dir, "out.json", json.out);
  EXPECT_EQ(RunTool({"--state", again, "--json"}).out, json.out);

  // In a batch line, with an option beside it; a bad file is that line's error.
  const ToolRun batch = RunTool({"--batch"}, ("--state " + file + " --distance 0.1\n" + "--state " +
                                              dir.filePath("none") + "\n")
                                                 .toUtf8());
  const QList<QByteArray> lines = batch.out.split('\n');
  ASSERT_EQ(lines.size(), 3);
  const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
  EXPECT_EQ(first["report"].toString().toUtf8(), QByteArray(fromOptions.out).replace("\n", "\r\n"));
  EXPECT_TRUE(QJsonDocument::fromJson(lines[1]).object()["error"].toString().startsWith(
      "--state の状態ファイル「"));

  const ToolRun missing = RunTool({"--state", dir.filePath("none.bezierlab")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.err.toStdString(), "bezierlab-report: --state の状態ファイル「" +
                                           dir.filePath("none.bezierlab").toStdString() +
                                           "」がありません\n");
}

// Arguments are read as text that gives their bytes back, whatever they hold,
// and a message shows the bytes that are no UTF-8 escaped.
TEST(StateFile, ArgumentTextGivesItsBytesBack) {
  std::string every;
  for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
  for (const std::string& bytes :
       {every, std::string("caf\xe9"), std::string("\xed\xa0\x80"), std::string("\xc0\xaf"),
        std::string("\xf4\x90\x80\x80"), std::string("\xe2\x82"), std::string("\xef\xbb\xbf-"),
        std::string("é😀\xed\xb3\xa9")}) {
    EXPECT_EQ(state::ToBytes(state::FromBytes(bytes)), bytes);
  }
  EXPECT_EQ(state::FromBytes("é😀"), QString::fromUtf8("é😀"));
  EXPECT_EQ(state::Shown(state::FromBytes("caf\xe9 \xc0\xaf é😀\n")), "caf\\xe9 \\xc0\\xaf é😀\\x0a");
}

TEST(StateFile, TheMessageSaysWhatIsWrongAndEveryStateTextHasOneLimit) {
  QTemporaryDir dir;
  const QString plain = Write(dir, "plain", "{}");
  const std::pair<QString, std::string> cases[] = {
      {dir.path(), "はフォルダーです"},
      {"/dev/null", "は通常のファイルではありません"},
      {plain + "/inside", "を読めません: 途中の名前がフォルダーではありません"},
      {Write(dir, "big", QByteArray((1 << 20) + 1, ' ')), "は大きすぎます（1 MiB まで）"},
  };
  for (const auto& [path, why] : cases) {
    const ToolRun run = RunTool({"--state", path});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.toStdString(), "bezierlab-report: --state の状態ファイル「" +
                                         path.toStdString() + "」" + why + "\n");
  }
  // The system's reason is said in the language of the message.
  const ToolRun english = RunTool({"--language", "en", "--state", plain + "/inside"});
  EXPECT_TRUE(english.err.endsWith("\": a name along the path is not a directory\n"))
      << english.err.toStdString();

  // A pipe is refused at once rather than read or waited on.
  const ToolRun pipe = RunTool({"--state", "/dev/stdin"}, R"({"state": {}})");
  EXPECT_EQ(pipe.exitCode, 2);
  EXPECT_TRUE(pipe.err.endsWith("」は通常のファイルではありません\n")) << pipe.err.toStdString();

  // A paste and a batch line are held to a state file's limit, in its words.
  const auto pasted = state::ParseStateText(QString((1 << 20) - 10, u' ') + "--distance 3");
  const auto* refused = std::get_if<state::UsageError>(&pasted);
  ASSERT_NE(refused, nullptr);
  EXPECT_EQ(refused->message, "貼り付けた文字は大きすぎます（1 MiB まで）");
  const ToolRun batch =
      RunTool({"--batch"}, QByteArray((1 << 20) + 1, 'x') + "\n--distance 3\n# x\n--grabbed 9\n");
  EXPECT_EQ(batch.exitCode, 0);
  const QList<QByteArray> lines = batch.out.split('\n');
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], R"({"error":"この行は大きすぎます（1 MiB まで）","line":1})");
  EXPECT_FALSE(lines[1].startsWith(R"({"error")"));
  EXPECT_TRUE(lines[1].contains(R"("line":2,)"));
  EXPECT_TRUE(lines[2].startsWith(R"({"error":"--grabbed)"));
  EXPECT_TRUE(lines[2].endsWith(R"("line":4})"));
}

TEST(StateFile, TheWindowRefusesBadOptionsBeforeAnyWindow) {
  QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
  offscreen.insert("QT_QPA_PLATFORM", "offscreen");
  for (const QStringList& arguments :
       {QStringList{"--distance", "60"}, QStringList{"--points", "300,5,5,5,5,5,5,5"},
        QStringList{"--colour", "red"}, QStringList{"a", "b"}}) {
    QProcess window;
    window.setProcessEnvironment(offscreen);
    window.start(QStringLiteral(BEZIERLAB_WINDOW), arguments);
    ASSERT_TRUE(window.waitForFinished(10000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(window.exitCode(), 2);
    // One line of ours, whatever Qt says about the environment.
    const QByteArray err = window.readAllStandardError();
    EXPECT_EQ(err.count("\nbezierlab: ") + (err.startsWith("bezierlab: ") ? 1 : 0), 1)
        << err.toStdString();
  }
  QProcess help;
  help.setProcessEnvironment(offscreen);
  help.start(QStringLiteral(BEZIERLAB_WINDOW), {"-h"});
  ASSERT_TRUE(help.waitForFinished(10000));
  EXPECT_EQ(help.exitCode(), 0);
  EXPECT_TRUE(
      help.readAllStandardOutput().startsWith("使い方: bezierlab [状態のオプション] [ファイル]"));
}

// A FILE whose state the window cannot reach is refused in the words its
// options would get, with the file named as every other refusal of a file
// names it; an option that brings a state out of reach is the option's own.
TEST(StateFile, TheWindowNamesAFileBeyondItsReach) {
  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) bare.remove(name);
  QTemporaryDir dir;
  const QString far = Write(dir, "far.bezierlab", R"({"state": {"distance": 70}})");
  const QString near = Write(dir, "near.bezierlab", R"({"state": {"distance": 7}})");
  const auto stderrOf = [&](const QStringList& arguments) {
    QProcess window;
    window.setProcessEnvironment(bare);
    window.setWorkingDirectory(dir.path());
    window.start(QStringLiteral(BEZIERLAB_WINDOW), arguments);
    EXPECT_TRUE(window.waitForFinished(10000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(window.exitCode(), 2) << arguments.join(' ').toStdString();
    return window.readAllStandardError().toStdString();
  };
  for (const char* language : {"ja", "en"}) {
    const std::string option = stderrOf({"--language", language, "--distance", "70"});
    ASSERT_TRUE(option.starts_with("bezierlab: ")) << option;
    std::string named = std::string(language) == "ja" ? "bezierlab: 状態ファイル「far.bezierlab」: "
                                                      : "bezierlab: state file \"far.bezierlab\": ";
    named += option.substr(std::string("bezierlab: ").size());
    EXPECT_EQ(stderrOf({"--language", language, "far.bezierlab"}), named);
    EXPECT_EQ(stderrOf({"--language", language, "--distance", "70", near}), option);
  }
}

// Without any display the options and FILE are still checked and refused
// on stderr, before Qt could abort for want of a display; Qt's own options
// in either spelling are set aside first.
TEST(StateFile, WithoutADisplayAMistakeIsOneLineAndExitTwo) {
  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) bare.remove(name);
  QTemporaryDir dir;
  const QString missing = dir.filePath("missing.bezierlab");
  for (const QStringList& arguments :
       {QStringList{"--distance", "60"}, QStringList{"--style", "fusion", "--distance", "60"},
        QStringList{"-platform", "xcb", "--colour", "red"}, QStringList{missing},
        QStringList{"-reverse", "--distance", "20", missing}}) {
    QProcess window;
    window.setProcessEnvironment(bare);
    window.start(QStringLiteral(BEZIERLAB_WINDOW), arguments);
    ASSERT_TRUE(window.waitForFinished(10000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit) << arguments.join(' ').toStdString();
    EXPECT_EQ(window.exitCode(), 2) << arguments.join(' ').toStdString();
    const QByteArray err = window.readAllStandardError();
    EXPECT_TRUE(err.startsWith("bezierlab: ") && err.count('\n') == 1) << err.toStdString();
  }
}

}  // namespace
