#pragma once

// The keys F1 lists, in the window's help and on the page: each key and what
// it does, marked for the catalogue and translated where they are shown. Most
// rows hold for both; a few belong to one of them: the window's file dialogs
// and the picture its Ctrl+C copies with the report, the page's buttons, its
// copy and paste and its language switch.

#include "Tr.h"

namespace scene {

enum class KeysOf { kBoth, kWindow, kPage };

struct KeyHelp {
  const char* key;
  const char* what;
  KeysOf of;
};

inline constexpr KeyHelp kKeyHelp[] = {
    {i18n::Mark("マウス"), i18n::Mark("制御点を押したままドラッグすると動きます"), KeysOf::kBoth},
    {i18n::Mark("1 〜 4（描画領域で）"), i18n::Mark("P(0) 〜 P(3) をつかみます"), KeysOf::kBoth},
    {i18n::Mark("→ ← ↑ ↓（描画領域で）"),
     i18n::Mark("つかんだ点を 1 ピクセル動かします（Shift を押すと 10 ピクセル）"), KeysOf::kBoth},
    {i18n::Mark("Escape（描画領域で）"), i18n::Mark("つかんだ点を放します"), KeysOf::kBoth},
    {"Tab / Shift+Tab",
     i18n::Mark("描画領域、6 つのチェックボックス、スクロールバーの順に移ります"), KeysOf::kWindow},
    {"Tab / Shift+Tab",
     i18n::Mark(
         "描画領域、6 つのチェックボックス、スクロールバー、レポート（長さの誤差を表示します）、"
         "ボタンの順に移ります"),
     KeysOf::kPage},
    {"Space", i18n::Mark("チェックボックスを切り替えます"), KeysOf::kBoth},
    {i18n::Mark("→ ↓ PageDown / ← ↑ PageUp"),
     i18n::Mark(
         "スクロールバーのオフセット距離を 1 増やします / 1 減らします（Home と End で端へ）"),
     KeysOf::kBoth},
    {"Ctrl+C", i18n::Mark("レポートと描画領域の図をコピーします"), KeysOf::kWindow},
    {"Ctrl+C", i18n::Mark("レポートをコピーします"), KeysOf::kPage},
    {"Ctrl+Shift+C", i18n::Mark("今の状態を 1 行のオプションとしてコピーします"), KeysOf::kBoth},
    {"Ctrl+V", i18n::Mark("状態の行か状態ファイルの JSON を貼り付けます"), KeysOf::kWindow},
    {"Ctrl+V", i18n::Mark("状態の行か状態ファイルの JSON かリンクを貼り付けます"), KeysOf::kPage},
    {"Ctrl+O", i18n::Mark("状態ファイルを開きます"), KeysOf::kWindow},
    {"Ctrl+S", i18n::Mark("状態を保存します（初めは保存先を尋ねます）"), KeysOf::kWindow},
    {"Ctrl+Shift+S", i18n::Mark("状態を名前を付けて保存します"), KeysOf::kWindow},
    {i18n::Mark("「保存」/ Ctrl+S"), i18n::Mark("状態ファイルをダウンロードします"), KeysOf::kPage},
    {i18n::Mark("「開く」/ Ctrl+O"), i18n::Mark("状態ファイルを選んで開きます"), KeysOf::kPage},
    {"Ctrl+Z", i18n::Mark("元に戻します"), KeysOf::kBoth},
    {"Ctrl+Shift+Z / Ctrl+Y", i18n::Mark("やり直します"), KeysOf::kBoth},
    {"Ctrl+R", i18n::Mark("最初の状態に戻します（元に戻せます）"), KeysOf::kBoth},
    {"F1", i18n::Mark("このヘルプを開きます"), KeysOf::kBoth},
    {"F2", i18n::Mark("分割数を増やしたときの長さの収束を表示します（もう一度押すと閉じます）"),
     KeysOf::kBoth},
    {"F3",
     i18n::Mark(
         "黄の曲線の誤差、青の曲線の尖点、分割による改善を表示します（もう一度押すと閉じます）"),
     KeysOf::kBoth},
    {i18n::Mark("日本語 / English"), i18n::Mark("ページの言語を切り替えます（リンクに残ります）"),
     KeysOf::kPage},
    // The page's buttons for the keys, and what a finger does on a touch screen.
    {i18n::Mark("「元に戻す」「やり直す」「最初の状態」"),
     i18n::Mark("Ctrl+Z、Ctrl+Y、Ctrl+R と同じです（することがないときは押せません）"),
     KeysOf::kPage},
    {i18n::Mark("「ヘルプ」「収束のグラフ」「オフセットの誤差」"),
     i18n::Mark("F1、F2、F3 と同じです"), KeysOf::kPage},
    {i18n::Mark("「レポートをコピー」「1 行のオプションをコピー」"),
     i18n::Mark("Ctrl+C、Ctrl+Shift+C と同じです"), KeysOf::kPage},
    {i18n::Mark("「貼り付け」"),
     i18n::Mark("Ctrl+V と同じです（ブラウザーが読ませないときは貼り付ける欄を開きます）"),
     KeysOf::kPage},
    {i18n::Mark("「リンクを共有」"),
     i18n::Mark("今の状態のリンクを共有します（共有できないときはコピーします）"), KeysOf::kPage},
    {i18n::Mark("指・ペン（描画領域で）"),
     i18n::Mark("制御点の近くに触れてドラッグすると動きます（点は指から離れたまま付いてきます）"),
     KeysOf::kPage},
    {i18n::Mark("タップ（描画領域で）"),
     i18n::Mark("制御点をタップすると選び、ほかの場所をタップするとそこへ動かし、"
                "選んだ点をもう一度タップすると放します"),
     KeysOf::kPage},
    {i18n::Mark("タップ（レポート）"),
     i18n::Mark("長さの誤差を表示します（もう一度タップするか、ほかをタップすると消えます）"),
     KeysOf::kPage},
    {i18n::Mark("長押し（黄色のチェックボックス）"),
     i18n::Mark("近似オフセット曲線のずれを表示します（タップはチェックを切り替えます）"),
     KeysOf::kPage},
};

}  // namespace scene
