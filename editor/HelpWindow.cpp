// The help window's text: every key of the window, the tool tips, the state
// file and the report tool, in Japanese.

#include <QString>

#include "Commands.h"
#include "StateFile.h"

namespace editor {

namespace {

struct KeyRow {
  const char* key;
  const char* what;
};

constexpr KeyRow kKeys[] = {
    {"マウス", "制御点を押したままドラッグすると動きます"},
    {"1 〜 4（描画領域で）", "P(0) 〜 P(3) をつかみます"},
    {"→ ← ↑ ↓（描画領域で）", "つかんだ点を 1 ピクセル動かします（Shift を押すと 10 ピクセル）"},
    {"Escape（描画領域で）", "つかんだ点を放します"},
    {"Tab / Shift+Tab", "描画領域、6 つのチェックボックス、スクロールバーの順に移ります"},
    {"Space", "チェックボックスを切り替えます"},
    {"→ ↓ PageDown / ← ↑ PageUp",
     "スクロールバーのオフセット距離を 1 増やします / 1 減らします（Home と End で端へ）"},
    {"Ctrl+C", "レポートと描画領域の図をコピーします"},
    {"Ctrl+Shift+C", "今の状態を 1 行のオプションとしてコピーします"},
    {"Ctrl+V", "状態の行か状態ファイルの JSON を貼り付けます"},
    {"Ctrl+O", "状態ファイルを開きます"},
    {"Ctrl+S", "状態を保存します（初めは保存先を尋ねます）"},
    {"Ctrl+Shift+S", "状態を名前を付けて保存します"},
    {"Ctrl+Z", "元に戻します"},
    {"Ctrl+Shift+Z / Ctrl+Y", "やり直します"},
    {"Ctrl+R", "最初の状態に戻します（元に戻せます）"},
    {"F1", "このヘルプを開きます"},
    {"F2", "分割数を増やしたときの長さの収束を表示します（もう一度押すと閉じます）"},
};

QString Row(const KeyRow& row) {
  return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
      .arg(QString::fromUtf8(row.key).toHtmlEscaped(), QString::fromUtf8(row.what).toHtmlEscaped());
}

}  // namespace

QString HelpText() {
  QString keys;
  for (const KeyRow& row : kKeys) keys += Row(row);
  return QStringLiteral(
             "<h3>キー</h3><table cellspacing=\"4\">%1</table>"
             "<h3>ツールチップ</h3>"
             "<p>レポートの上に止めると、描いた曲線の真の長さと、各分割数の長さの誤差を表示します。"
             "「近似オフセット曲線（黄）」の上に止めると、黄色の曲線が真のオフセット曲線から"
             "どれだけずれているかを表示します。</p>"
             "<h3>状態ファイル</h3>"
             "<p>状態（4 つの制御点、チェックボックス、オフセット距離）は拡張子 .bezierlab の"
             "JSON ファイルに保存できます:</p>"
             "<pre>{\"state\": {\"points\": [[50,50],[150,50],[150,150],[50,150]],\n"
             "           \"grabbed\": -1, \"divisions\": [1000],\n"
             "           \"approximate\": true, \"accurate\": true, \"distance\": 30}}</pre>"
             "<p>書かれていない値は最初の状態のままです。ウィンドウで開けるのは、制御点の座標が"
             "%2 から %3、オフセット距離が %4 から %5 の整数の状態です。"
             "<code>bezierlab ファイル</code> でその状態から始まり、"
             "<code>bezierlab --distance 12 ファイル</code> "
             "のようにオプションで値を上書きできます。</p>"
             "<h3>レポートツール</h3>"
             "<p><code>bezierlab-report --state ファイル</code> は同じ状態のレポート、JSON、"
             "PNG や SVG の図をウィンドウなしで書き出します。その <code>--json</code> の出力も"
             "状態ファイルとして開けます。詳しくは <code>man bezierlab-report</code>。</p>")
      .arg(keys)
      .arg(state::kReachLow)
      .arg(state::kReachHigh)
      .arg(state::kDistanceLow)
      .arg(state::kDistanceHigh);
}

}  // namespace editor
