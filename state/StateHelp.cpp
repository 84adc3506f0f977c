#include "StateHelp.h"

#include <string_view>

#include "DivisionCounts.h"
#include "Pointer.h"
#include "StateArguments.h"
#include "StateRules.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

namespace {

// The text of an option's help begins in this column (counted from 0).
constexpr std::size_t kTextColumn = 22;

// Each option's value and text.
struct HelpLine {
  std::string_view name;
  const char* value;
  std::string text;
};

// Columns a terminal gives `text`: one per ASCII character, two per other
// character (the help's Japanese is all full width; the English is ASCII).
std::size_t Columns(std::string_view text) {
  std::size_t columns = 0;
  for (unsigned char c : text) {
    if (c < 0x80) {
      ++columns;
    } else if (c >= 0xC0) {
      columns += 2;
    }
  }
  return columns;
}

HelpLine Describe(std::string_view name, const StateHelpRanges& ranges) {
  const scene::State start;
  if (name == "points") {
    std::string points;
    for (const geometry::IntPoint& p : start.P) {
      if (!points.empty()) points += ',';
      points += std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return {name, "X0,Y0,X1,Y1,X2,Y2,X3,Y3",
            Format(Tr("4 つの制御点%1。既定: %2"), {ranges.points, points})};
  }
  if (name == "divisions") {
    std::string ticked;
    for (std::size_t i = 0; i < start.divisions.size(); ++i) {
      if (!start.divisions[i]) continue;
      if (!ticked.empty()) ticked += ',';
      ticked += scene::FormatGeneral(geometry::kDivisionCounts[i]);
    }
    return {name, Tr("一覧"),
            Format(Tr("分割数 %1 のコンマ区切り。空なら長さなし。\n既定: %2"),
                   {DivisionCountList(), ticked})};
  }
  if (name == "distance") {
    return {name, "D",
            Format(Tr("オフセット距離%1。既定: %2"),
                   {ranges.distance, scene::FormatGeneral(start.dist)})};
  }
  if (name == "no-approximate") return {name, nullptr, Tr("近似オフセット曲線（黄）を描きません")};
  if (name == "no-accurate") return {name, nullptr, Tr("正確なオフセット曲線（青）を描きません")};
  if (name == "grabbed") return {name, "I", ranges.grabbed};
  return {name, nullptr, ""};
}

// One option's lines: "  -L, --name VALUE" and its text, each line of the
// text from the text column.
std::string Lines(const KnownOption& option, const HelpLine& line) {
  const std::string indent(kTextColumn, ' ');
  std::string head = "  ";
  if (option.letter != 0) head.append("-").append(1, option.letter).append(", ");
  head += Dashed(option.name);
  if (line.value != nullptr) head.append(" ").append(line.value);
  const std::size_t columns = Columns(head);
  std::string help = head;
  if (columns + 2 <= kTextColumn) {
    help.append(kTextColumn - columns, ' ');
  } else {
    help.append("\n").append(indent);
  }
  for (const char c : line.text) {
    if (c == '\n') {
      help.append("\n").append(indent);
    } else {
      help += c;
    }
  }
  return help + "\n";
}

}  // namespace

StateHelpRanges ToolRanges() {
  return {Tr("（32 ビット整数）"), Tr("（単精度で保持）"),
          Tr("ドラッグ中の点の番号（-1 から 3）。既定: -1")};
}

StateHelpRanges WindowRanges() {
  return {Format(Tr("。座標は %1 から %2"),
                 {std::to_string(scene::kReachLow), std::to_string(scene::kReachHigh)}),
          Format(Tr("。%1 から %2 の整数"),
                 {std::to_string(scene::kDistanceLow), std::to_string(scene::kDistanceHigh)}),
          Tr("受け付けますが、ウィンドウはどの点もつかまずに開きます")};
}

std::string StateOptionsHelp(const StateHelpRanges& ranges) {
  std::string help;
  for (const KnownOption& option : StateOptions())
    help += Lines(option, Describe(option.name, ranges));
  return help;
}

std::string CommonOptionsHelp(const std::string& languageNote) {
  std::string help;
  for (const KnownOption& option : CommonOptions()) {
    const std::string_view name = option.name;
    HelpLine line{name, nullptr, ""};
    if (name == "language") {
      line = {name, Tr("言語"),
              Tr("表示の言語 ja（日本語）か en（英語）。既定は環境変数 LANG などから。")};
      if (!languageNote.empty()) line.text.append("\n").append(languageNote);
    } else if (name == "help") {
      line.text = Tr("この説明を表示します");
    } else if (name == "version") {
      line.text = Tr("版を表示します");
    }
    help += Lines(option, line);
  }
  return help;
}

}  // namespace state
