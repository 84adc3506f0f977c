// The help window's text: every key of the window, the tool tips, the state
// file and the report tool, in the language of the run.

#include <QString>

#include "Commands.h"
#include "StateFile.h"
#include "Tr.h"

namespace editor {

namespace {

struct KeyRow {
  const char* key;
  const char* what;
};

constexpr KeyRow kKeys[] = {
    {i18n::Mark("マウス"), i18n::Mark("制御点を押したままドラッグすると動きます")},
    {i18n::Mark("1 〜 4（描画領域で）"), i18n::Mark("P(0) 〜 P(3) をつかみます")},
    {i18n::Mark("→ ← ↑ ↓（描画領域で）"),
     i18n::Mark("つかんだ点を 1 ピクセル動かします（Shift を押すと 10 ピクセル）")},
    {i18n::Mark("Escape（描画領域で）"), i18n::Mark("つかんだ点を放します")},
    {"Tab / Shift+Tab",
     i18n::Mark("描画領域、6 つのチェックボックス、スクロールバーの順に移ります")},
    {"Space", i18n::Mark("チェックボックスを切り替えます")},
    {i18n::Mark("→ ↓ PageDown / ← ↑ PageUp"),
     i18n::Mark(
         "スクロールバーのオフセット距離を 1 増やします / 1 減らします（Home と End で端へ）")},
    {"Ctrl+C", i18n::Mark("レポートと描画領域の図をコピーします")},
    {"Ctrl+Shift+C", i18n::Mark("今の状態を 1 行のオプションとしてコピーします")},
    {"Ctrl+V", i18n::Mark("状態の行か状態ファイルの JSON を貼り付けます")},
    {"Ctrl+O", i18n::Mark("状態ファイルを開きます")},
    {"Ctrl+S", i18n::Mark("状態を保存します（初めは保存先を尋ねます）")},
    {"Ctrl+Shift+S", i18n::Mark("状態を名前を付けて保存します")},
    {"Ctrl+Z", i18n::Mark("元に戻します")},
    {"Ctrl+Shift+Z / Ctrl+Y", i18n::Mark("やり直します")},
    {"Ctrl+R", i18n::Mark("最初の状態に戻します（元に戻せます）")},
    {"F1", i18n::Mark("このヘルプを開きます")},
    {"F2", i18n::Mark("分割数を増やしたときの長さの収束を表示します（もう一度押すと閉じます）")},
};

QString Row(const KeyRow& row) {
  return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
      .arg(QString::fromUtf8(i18n::Tr(row.key)).toHtmlEscaped(),
           QString::fromUtf8(i18n::Tr(row.what)).toHtmlEscaped());
}

}  // namespace

QString HelpText() {
  QString keys;
  for (const KeyRow& row : kKeys) keys += Row(row);
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
