#include "Texts.h"

#include <nlohmann/json.hpp>

#include "Design.h"
#include "KeyHelp.h"

namespace web {

std::string TextsJson() {
  using i18n::Tr;
  nlohmann::json help = nlohmann::json::array();
  for (const scene::KeyHelp& row : scene::kKeyHelp) {
    if (row.of != scene::KeysOf::kWindow) help.push_back({Tr(row.key), Tr(row.what)});
  }
  // The buttons beside Save and Open, by their ids: each does what its key does.
  const nlohmann::json buttons = {{"undo", Tr("元に戻す")},
                                  {"redo", Tr("やり直す")},
                                  {"reset", Tr("最初の状態")},
                                  {"showHelp", Tr("ヘルプ")},
                                  {"showPlot", Tr("収束のグラフ")},
                                  {"copyReport", Tr("レポートをコピー")},
                                  {"copyLine", Tr("1 行のオプションをコピー")},
                                  {"paste", Tr("貼り付け")},
                                  {"share", Tr("リンクを共有")}};
  return nlohmann::json{
      {"lang", i18n::NameOf(i18n::CurrentLanguage())},
      {"buttons", buttons},
      {"copied", Tr("コピーしました")},
      {"linkCopied", Tr("リンクをコピーしました")},
      {"pasteHere", Tr("状態の行、状態ファイルの JSON かリンクをここに貼り付けます")},
      {"save", Tr("保存")},
      {"open", Tr("開く")},
      {"showOffsets", Tr("オフセットの誤差")},
      {"offsetCurveName", Tr("曲線と尖点")},
      {"offsetPlotName", Tr("オフセットの誤差の図")},
      {"linkRefused", Tr("リンクの状態を開けません")},
      {"openRefused", Tr("状態ファイルを開けません")},
      {"pasteRefused", Tr("状態を貼り付けられません")},
      {"languageName", Tr("表示の言語")},
      {"plotRules", Tr("長さの規則の図")},
      {"help", help}}
      .dump();
}

std::string ManifestJson() {
  // The colour as #RRGGBB: the design keeps it as 0xBBGGRR.
  const drawing::Colour c = scene::kBackColour;
  const char* digits = "0123456789abcdef";
  std::string grey = "#";
  for (const int shift : {0, 8, 16}) {
    grey += digits[(c >> (shift + 4)) & 0xF];
    grey += digits[(c >> shift) & 0xF];
  }
  return nlohmann::json{{"name", i18n::Tr(scene::kDesignCaption)},
                        {"short_name", "bezierlab"},
                        {"lang", i18n::NameOf(i18n::CurrentLanguage())},
                        {"start_url", "./"},
                        {"display", "standalone"},
                        {"theme_color", grey},
                        {"background_color", grey}}
      .dump();
}

}  // namespace web
