// bezierlab-report in English, as a user asks for it: by the locale variables
// (with locales this machine need not have) or by --language. Every output
// holds no Japanese and keeps the Japanese one's lines and figures; JSON keys,
// numbers and error kinds do not change; and the runs that must stay Japanese
// stay byte for byte as they are.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "Japanese.h"
#include "ToolProcess.h"

namespace {

using testing_support::HasJapanese;
using testing_support::RunTool;
using testing_support::ToolRun;

// The environment without any locale variable, plus `variables`.
QProcessEnvironment Locale(const QStringList& variables) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
    environment.remove(QString::fromLatin1(name));
  }
  for (const QString& variable : variables) {
    environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
  }
  return environment;
}

// The numbers of a line, in order of their value: a sentence may put them in
// another order in English.
QStringList Numbers(const QString& line) {
  static const QRegularExpression number(QStringLiteral("-?[0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?"));
  QStringList found;
  for (auto it = number.globalMatch(line); it.hasNext();) found << it.next().captured();
  found.sort();
  return found;
}

struct Case {
  QStringList arguments;
  QByteArray input;
};

// Reports, analyses and convergence tables (also of states where the curves
// fail), and a mistake of each kind the options, the state file and a batch
// line can make.
const Case kCases[] = {
    {{}, {}},
    {{"--divisions", "10,100,1000,10000", "--analysis", "--convergence"}, {}},
    {{"--points", "5,5,5,5,5,5,5,5", "--analysis", "--convergence"}, {}},
    {{"--points", "50,50,50,50,150,150,50,150", "--analysis", "--crlf"}, {}},
    {{"--points", "5,5,255,255,5,255,255,5", "--distance", "0", "--analysis"}, {}},
    {{"--bogus"}, {}},
    {{"--points", "1,2"}, {}},
    {{"--points", "1,2,3,4,5,6,7,x"}, {}},
    {{"--distance", "far"}, {}},
    {{"--divisions", "7"}, {}},
    {{"--state", "/nonexistent/lesson.bezierlab"}, {}},
    {{"--scale", "2"}, {}},
    {{"-x"}, {}},
    {{"--plot", "plot.txt"}, {}},
    {{"--batch", "--json"}, {}},
    {{"--batch"}, "--points 1\n--analysis --divisions 10\n--json\n\n--distance 1e99\n"},
};

TEST(EnglishTool, EveryOutputIsEnglishWithTheJapaneseLinesAndFigures) {
  const QProcessEnvironment japanese = Locale({"LC_ALL=C.UTF-8"});
  const std::vector<std::pair<QProcessEnvironment, QStringList>> englishRuns{
      {Locale({"LANG=en_US.UTF-8"}), {}},
      {Locale({"LC_ALL=en_GB.UTF-8", "LANG=ja_JP.UTF-8"}), {}},
      {Locale({"LANG=de_DE.UTF-8"}), {}},
      {japanese, {"--language", "en"}},
  };
  for (const Case& c : kCases) {
    const ToolRun ja = RunTool(c.arguments, c.input, japanese);
    for (const auto& [environment, option] : englishRuns) {
      const ToolRun en = RunTool(option + c.arguments, c.input, environment);
      const std::string what = (option + c.arguments).join(' ').toStdString();
      ASSERT_FALSE(en.crashed) << what;
      EXPECT_EQ(en.exitCode, ja.exitCode) << what;
      for (const QByteArray& bytes : {en.out, en.err}) {
        EXPECT_FALSE(HasJapanese(QString::fromUtf8(bytes))) << what << "\n" << bytes.toStdString();
      }
      const QStringList enLines = QString::fromUtf8(en.out + en.err).split('\n');
      const QStringList jaLines = QString::fromUtf8(ja.out + ja.err).split('\n');
      ASSERT_EQ(enLines.size(), jaLines.size()) << what;
      for (qsizetype i = 0; i < enLines.size(); ++i) {
        EXPECT_EQ(Numbers(enLines[i]), Numbers(jaLines[i])) << what << "\n"
                                                            << enLines[i].toStdString();
        // A line without Japanese in it (P(0) = ..., Total Length = ...) stays as it is.
        if (!HasJapanese(jaLines[i])) {
          EXPECT_EQ(enLines[i], jaLines[i]) << what;
        }
      }
    }
  }
}

TEST(EnglishTool, HelpFollowsTheLanguageAndJsonDoesNot) {
  const QProcessEnvironment english = Locale({"LANG=en_US.UTF-8"});
  const ToolRun help = RunTool({"--help"}, {}, english);
  EXPECT_TRUE(help.out.startsWith("Usage: bezierlab-report")) << help.out.toStdString();
  EXPECT_FALSE(HasJapanese(QString::fromUtf8(help.out)));
  EXPECT_TRUE(RunTool({"--help"}, {}, Locale({})).out.startsWith("使い方"));

  // Everything but the report's text is the same object, keys, numbers and
  // error kinds included.
  const QStringList arguments{"--json", "--analysis", "--convergence", "--points",
                              "5,5,5,5,150,150,50,150"};
  QJsonObject en = QJsonDocument::fromJson(RunTool(arguments, {}, english).out).object();
  QJsonObject ja = QJsonDocument::fromJson(RunTool(arguments, {}, Locale({})).out).object();
  ASSERT_TRUE(en.contains("report"));
  EXPECT_NE(en.take("report"), ja.take("report"));
  EXPECT_EQ(en, ja);
}

TEST(EnglishTool, JapaneseLocalesAndTheCLocaleStayAsTheyAre) {
  const QStringList arguments{"--divisions", "10,100,1000,10000", "--analysis", "--convergence"};
  const ToolRun none = RunTool(arguments, {}, Locale({}));
  ASSERT_EQ(none.exitCode, 0);
  EXPECT_TRUE(none.out.contains("Length(10000分割) = 200\n"));
  for (const QStringList& variables :
       {QStringList{"LANG=C.UTF-8"}, QStringList{"LANG=ja_JP.UTF-8"},
        QStringList{"LC_ALL=C.UTF-8", "LANGUAGE=en"}, QStringList{"LC_ALL=POSIX", "LANG=en_US"},
        QStringList{"LANG=en_US.UTF-8", "LANGUAGE=ja"}}) {
    const ToolRun run = RunTool(arguments, {}, Locale(variables));
    EXPECT_EQ(run.out, none.out) << variables.join(' ').toStdString();
    EXPECT_EQ(RunTool({"--bogus"}, {}, Locale(variables)).err,
              RunTool({"--bogus"}, {}, Locale({})).err);
  }
  // --language ja wins over an English locale.
  EXPECT_EQ(
      RunTool(QStringList{"--language", "ja"} + arguments, {}, Locale({"LANG=en_US.UTF-8"})).out,
      none.out);
  const ToolRun wrong = RunTool({"--language", "fr"}, {}, Locale({"LANG=en_US.UTF-8"}));
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_EQ(wrong.err, "bezierlab-report: --language takes ja or en (\"fr\")\n");
}

// The window program answers --help and refuses a bad option before it
// opens a window: in English when asked, in Japanese otherwise.
TEST(EnglishTool, TheWindowProgramsHelpAndMessagesFollowTheLanguage) {
  // The exit code and standard output, or the program's own line on standard
  // error (Qt may add lines of its own there).
  const auto run = [](const QStringList& arguments, QProcessEnvironment environment) {
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess window;
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(BEZIERLAB_WINDOW), arguments);
    window.waitForFinished();
    QByteArray said = window.readAllStandardOutput();
    for (const QByteArray& line : window.readAllStandardError().split('\n')) {
      if (line.startsWith("bezierlab: ")) said += line + "\n";
    }
    return std::pair{window.exitCode(), said};
  };
  const QProcessEnvironment english = Locale({"LANG=en_US.UTF-8"});
  const QProcessEnvironment none = Locale({});
  const auto [helpCode, help] = run({"--help"}, english);
  EXPECT_EQ(helpCode, 0);
  EXPECT_TRUE(help.startsWith("Usage: bezierlab [STATE OPTIONS] [FILE]")) << help.toStdString();
  EXPECT_FALSE(HasJapanese(QString::fromUtf8(help)));
  EXPECT_TRUE(run({"--help"}, none).second.startsWith("使い方: bezierlab"));
  EXPECT_EQ(run({"--language", "en", "--help"}, Locale({"LC_ALL=C.UTF-8", "LANGUAGE=en"})).second,
            help);

  EXPECT_EQ(run({"--distance", "60"}, english),
            std::pair(2, QByteArray("bezierlab: the window cannot use the offset distance 60: make "
                                    "it a whole number from 0 to 50\n")));
  EXPECT_EQ(run({"--distance", "60"}, Locale({"LC_ALL=C.UTF-8", "LANGUAGE=en"})).second,
            run({"--distance", "60"}, none).second);
  EXPECT_EQ(run({"--bogus"}, Locale({"LANG=de_DE.UTF-8"})).second,
            "bezierlab: there is no option --bogus\n");
}

}  // namespace
