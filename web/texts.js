// The page's own texts, in one place (the core's texts come from the core):
// the buttons, the titles of the messages and the lines the help adds.
"use strict";
var PageTexts = {
  save: "保存",
  open: "開く",
  linkRefused: "リンクの状態を開けません",
  openRefused: "状態ファイルを開けません",
  pasteRefused: "状態を貼り付けられません",
  stateFileName: "bezierlab-state.bezierlab",
  help: [
    "1〜4: P(0)〜P(3) をつかむ（描画領域）",
    "矢印: つかんだ点を 1 ピクセル動かす（Shift で 10）",
    "Esc: つかんだ点を放す",
    "Tab / Shift+Tab: 描画領域、チェックボックス、スクロールバーの順に移る",
    "スクロールバー: → ↓ PageDown で 1 増やし、← ↑ PageUp で 1 減らす、Home と End で端へ",
    "Ctrl+Z: 元に戻す　Ctrl+Y / Ctrl+Shift+Z: やり直す　Ctrl+R: 最初の状態に戻す",
    "Ctrl+C: レポートをコピー　Ctrl+Shift+C: 状態を 1 行でコピー　Ctrl+V: 状態を貼り付け",
    "F1: このヘルプ　F2: 収束の様子",
  ],
};
