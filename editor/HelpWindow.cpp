// The help window's text: every key of the window, the tool tips, the state
// file and the report tool, in the language of the run.

#include <QString>

#include "Commands.h"
#include "KeyHelp.h"
#include "StateFile.h"
#include "Tr.h"

namespace editor {

namespace {

QString Row(const scene::KeyHelp& row) {
  return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
      .arg(QString::fromUtf8(i18n::Tr(row.key)).toHtmlEscaped(),
           QString::fromUtf8(i18n::Tr(row.what)).toHtmlEscaped());
}

}  // namespace

QString HelpText() {
  QString keys;
  for (const scene::KeyHelp& row : scene::kKeyHelp) {
    if (row.of != scene::KeysOf::kPage) keys += Row(row);
  }
  const std::string reach = i18n::Format(
      i18n::Tr("<p>書かれていない値は最初の状態のままです。ウィンドウで開けるのは、制御点の座標が"
               "%1 から %2、オフセット距離が %3 から %4 の整数の状態です。"
               "<code>bezierlab ファイル</code> でその状態から始まり、"
               "<code>bezierlab --distance 12 ファイル</code> "
               "のようにオプションで値を上書きできます。</p>"),
      {std::to_string(state::kReachLow), std::to_string(state::kReachHigh),
       std::to_string(state::kDistanceLow), std::to_string(state::kDistanceHigh)});
  return QString::fromUtf8(i18n::Tr("<h3>キー</h3>")) +
         QStringLiteral("<table cellspacing=\"4\">") + keys + QStringLiteral("</table>") +
         QString::fromUtf8(i18n::Tr("<h3>ツールチップ</h3>")) +
         QString::fromUtf8(i18n::Tr(
             "<p>レポートの上に止めると、描いた曲線の真の長さと、各分割数の長さの誤差を表示します。"
             "「近似オフセット曲線（黄）」の上に止めると、黄色の曲線が真のオフセット曲線から"
             "どれだけずれているかを表示します。</p>")) +
         QString::fromUtf8(i18n::Tr("<h3>状態ファイル</h3>")) +
         QString::fromUtf8(
             i18n::Tr("<p>状態（4 つの制御点、チェックボックス、オフセット距離）は拡張子 "
                      ".bezierlab のJSON ファイルに保存できます:</p>")) +
         QStringLiteral(
             "<pre>{\"state\": {\"points\": [[50,50],[150,50],[150,150],[50,150]],\n"
             "           \"grabbed\": -1, \"divisions\": [1000],\n"
             "           \"approximate\": true, \"accurate\": true, \"distance\": 30}}</pre>") +
         QString::fromStdString(reach) + QString::fromUtf8(i18n::Tr("<h3>レポートツール</h3>")) +
         QString::fromUtf8(i18n::Tr(
             "<p><code>bezierlab-report --state ファイル</code> は同じ状態のレポート、JSON、"
             "PNG や SVG の図をウィンドウなしで書き出します。その <code>--json</code> "
             "の出力も状態ファイルとして開けます。詳しくは <code>man "
             "bezierlab-report</code>。</p>"));
}

}  // namespace editor
