// The state options' help, made from one table, and the man pages that list
// the same options by hand.

#include "StateHelp.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <set>
#include <string>

#include "Language.h"
#include "StateOptions.h"
#include "ToolProcess.h"
#include "Tr.h"

namespace {

TEST(StateHelp, LinesAreLaidOutAsTheToolHasAlwaysShownThem) {
  EXPECT_EQ(state::StateOptionsHelp({"（32 ビット整数）", "（単精度で保持）",
                                     "ドラッグ中の点の番号（-1 から 3）。既定: -1"}),
            "  --points X0,Y0,X1,Y1,X2,Y2,X3,Y3\n"
            "                      4 つの制御点（32 ビット整数）。既定: "
            "50,50,150,50,150,150,50,150\n"
            "  --divisions 一覧    分割数 10, 100, 1000, 10000 のコンマ区切り。空なら長さなし。\n"
            "                      既定: 1000\n"
            "  --distance D        オフセット距離（単精度で保持）。既定: 30\n"
            "  --no-approximate    近似オフセット曲線（黄）を描きません\n"
            "  --no-accurate       正確なオフセット曲線（青）を描きません\n"
            "  --grabbed I         ドラッグ中の点の番号（-1 から 3）。既定: -1\n");
}

// The long options a man page lists as items (the tag line after each .TP).
std::set<std::string> ManPageOptions(const QString& page) {
  QFile file(QStringLiteral(BEZIERLAB_SOURCE) + "/" + page);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
  static const QRegularExpression option(QStringLiteral(R"(\\-\\-([a-z]+(\\-[a-z]+)*))"));
  std::set<std::string> options;
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != QLatin1String(".TP")) continue;
    for (const auto& match : option.globalMatch(lines[i + 1])) {
      options.insert(
          match.captured(1).replace(QStringLiteral("\\-"), QStringLiteral("-")).toStdString());
    }
  }
  return options;
}

TEST(StateHelp, ManPagesListTheOptionsOfTheTable) {
  std::set<std::string> table;
  for (const state::KnownOption& known : state::StateOptions()) table.insert(known.name);
  for (const char* page : {"app/bezierlab.1", "app/ja/bezierlab.1", "cli/bezierlab-report.1",
                           "cli/ja/bezierlab-report.1"}) {
    const std::set<std::string> listed = ManPageOptions(QString::fromLatin1(page));
    for (const std::string& name : table)
      EXPECT_EQ(listed.count(name), 1u) << page << " --" << name;
    if (QString::fromLatin1(page).startsWith("app/")) {
      // The window takes the state options, --language, --help and --version,
      // nothing else.
      std::set<std::string> window = table;
      for (const state::KnownOption& common : state::CommonOptions()) window.insert(common.name);
      EXPECT_EQ(listed, window) << page;
    }
  }
}

// Every program's help lists --language, -h, --help and --version in the same
// lines, in either language (the report tool adds what its language leaves
// alone); the screenshot tool's help and mistakes come from the catalogue too,
// a mistake in the report tool's form, with exit status 2.
TEST(StateHelp, EveryProgramSaysTheCommonOptionsAndItsMistakesAlike) {
  using testing_support::RunProgram;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  for (const i18n::Language language : {i18n::Language::Japanese, i18n::Language::English}) {
    const QString code = language == i18n::Language::English ? "en" : "ja";
    i18n::SetLanguage(language);
    const QByteArray common = QByteArray::fromStdString(state::CommonOptionsHelp());
    const QByteArray tool = QByteArray::fromStdString(
        state::CommonOptionsHelp(i18n::Tr("JSON のキー、数、エラーの種類は言語によりません")));
    i18n::SetLanguage(i18n::Language::Japanese);
    const QStringList help{"--language", code, "--help"};
    const auto window = RunProgram(BEZIERLAB_WINDOW, help, {}, environment);
    const auto shot = RunProgram(BEZIERLAB_SCREENSHOT, help, {}, environment);
    const auto report = RunProgram(BEZIERLAB_REPORT_TOOL, help, {}, environment);
    EXPECT_TRUE(window.out.contains("\n" + common + "\n")) << window.out.toStdString();
    EXPECT_TRUE(shot.out.contains("\n" + common + "\n")) << shot.out.toStdString();
    EXPECT_TRUE(report.out.contains("\n" + tool + "\n")) << report.out.toStdString();
    EXPECT_EQ(shot.exitCode, 0);
    // The screenshot tool's help is all in the language asked for, its
    // state options from the table.
    EXPECT_EQ(shot.out.startsWith("Usage: screenshot"), language == i18n::Language::English);
    EXPECT_TRUE(shot.out.contains(
        QByteArray::fromStdString(state::StateOptionsHelp(state::ToolRanges()).substr(0, 40))));

    for (const QStringList& wrong : {QStringList{"--bogus"}, QStringList{"--distance"},
                                     QStringList{"--grabbed", "1", "--grabbed=2"}}) {
      const auto refused = RunProgram(BEZIERLAB_SCREENSHOT, QStringList{"--language", code} + wrong,
                                      {}, environment);
      QByteArray expected = RunProgram(BEZIERLAB_REPORT_TOOL,
                                       QStringList{"--language", code} + wrong, {}, environment)
                                .err;
      expected.replace("bezierlab-report: ", "screenshot: ");
      EXPECT_EQ(refused.exitCode, 2) << wrong.join(' ').toStdString();
      EXPECT_EQ(refused.err, expected) << wrong.join(' ').toStdString();
      EXPECT_EQ(refused.out, "");
    }
  }
}

}  // namespace
