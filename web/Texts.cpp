#include "Texts.h"

#include <nlohmann/json.hpp>

#include "KeyHelp.h"

namespace web {

std::string TextsJson() {
  using i18n::Tr;
  nlohmann::json help = nlohmann::json::array();
  for (const scene::KeyHelp& row : scene::kKeyHelp) {
    if (row.of != scene::KeysOf::kWindow) help.push_back({Tr(row.key), Tr(row.what)});
  }
  return nlohmann::json{{"lang", i18n::NameOf(i18n::CurrentLanguage())},
                        {"save", Tr("保存")},
                        {"open", Tr("開く")},
                        {"showOffsets", Tr("オフセットの誤差")},
                        {"offsetCurveName", Tr("曲線と尖点")},
                        {"offsetPlotName", Tr("オフセットの誤差の図")},
                        {"linkRefused", Tr("リンクの状態を開けません")},
                        {"openRefused", Tr("状態ファイルを開けません")},
                        {"pasteRefused", Tr("状態を貼り付けられません")},
                        {"languageName", Tr("表示の言語")},
                        {"help", help}}
      .dump();
}

}  // namespace web
