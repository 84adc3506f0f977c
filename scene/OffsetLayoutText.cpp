// The offset plot's texts: the heading with its legend, the bottom panel's
// title and the caption, each broken to the plot's width in the labels' own
// font, never a smaller one.

#include <string>

#include "AnalysisText.h"
#include "OffsetLayout.h"
#include "OffsetLayoutDetail.h"
#include "OffsetText.h"
#include "PlotParts.h"
#include "Tr.h"

namespace scene::plot {

namespace {

using i18n::Format;
using i18n::Tr;

constexpr Colour kTextColour{0, 0, 0};
// A legend sample's length, the room between it and its text, and between entries.
constexpr double kSample = 18, kSampleGap = 4, kEntryGap = 14;

// The length of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::vector<std::string> BreakText(const std::string& text, double width, const Measure& measure) {
  std::vector<std::string> lines;
  std::string rest = text;
  while (!rest.empty() && measure.width(rest, {}) > width) {
    std::size_t fits = 0, space = std::string::npos;
    for (std::size_t i = 0; i < rest.size();) {
      const std::size_t next = std::min(rest.size(), i + SequenceLength(rest[i]));
      if (measure.width(rest.substr(0, next), {}) > width) break;
      if (rest[i] == ' ') space = i;
      fits = i = next;
    }
    if (space != std::string::npos && space > 0) fits = space;
    if (fits == 0) fits = SequenceLength(rest[0]);  // one character wider than the width
    lines.push_back(rest.substr(0, fits));
    rest.erase(0, fits);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
  }
  if (!rest.empty() || lines.empty()) lines.push_back(rest);
  return lines;
}

Heading TopHeading(double width, const Measure& measure) {
  Heading heading;
  heading.title = BreakText(Tr("h(u): 黄の曲線から真のオフセット曲線までの距離（px、対数目盛）"),
                            width, measure);
  std::vector<HeadingEntry> entries{{Pen{kDrawnColour, 2}, {}, {}, Tr("描画のまま"), {}}};
  for (std::size_t i = 0; i < geometry::kStudyPlotPieces.size(); ++i) {
    entries.push_back({Pen{kPieceColours[i], 1.2},
                       {},
                       {},
                       Format(Tr("%1 分割"), {std::to_string(geometry::kStudyPlotPieces[i])}),
                       {}});
  }
  entries.push_back({{}, kCuspMark, {}, Tr("尖点"), {}});
  entries.push_back({{}, kZeroTangentMark, {}, Tr("接線の長さが0"), {}});
  entries.push_back({{}, {}, kBackwardsFill, Tr("逆向き（係数 < 0）"), {}});
  const double line = measure.height({});
  double row = static_cast<double>(heading.title.size()), x = 0;
  for (HeadingEntry& entry : entries) {
    const double wide = kSample + kSampleGap + measure.width(entry.text, {});
    if (x > 0 && x + wide > width) {
      row += 1;
      x = 0;
    }
    entry.at = {x, (row + 0.5) * line};
    x += wide + kEntryGap;
  }
  heading.entries = std::move(entries);
  heading.height = (row + 1) * line;
  return heading;
}

void AddHeading(Figure& figure, const Heading& heading, double left, double top,
                const Measure& measure) {
  const double line = measure.height({}), ascent = measure.ascent({});
  for (std::size_t k = 0; k < heading.title.size(); ++k) {
    figure.items.push_back(Text{
        heading.title[k], {left, top + ascent + static_cast<double>(k) * line}, {}, kTextColour});
  }
  for (const HeadingEntry& entry : heading.entries) {
    const Point from{left + entry.at.x, top + entry.at.y};
    const Point to{from.x + kSample, from.y};
    if (entry.fill) {
      figure.items.push_back(
          Box{{from.x, from.y - ascent / 2, kSample, ascent}, {*entry.fill, 1}, *entry.fill});
    }
    if (entry.line) figure.items.push_back(Line{{from, to}, *entry.line, {}});
    if (entry.mark) figure.items.push_back(Mark{{(from.x + to.x) / 2, from.y}, *entry.mark});
    figure.items.push_back(
        Text{entry.text, {to.x + kSampleGap, from.y + ascent / 2 - 1}, {}, kTextColour});
  }
}

std::vector<std::string> BottomTitle(double width, const Measure& measure) {
  return BreakText(Tr("黄の取っ手の係数 1 + 距離·κ(t)：0 より下では真のオフセット曲線が逆向き"),
                   width, measure);
}

std::vector<std::string> CaptionLines(const std::array<geometry::IntPoint, 4>& P,
                                      const geometry::OffsetStudy& study, double width,
                                      const Measure& measure) {
  std::vector<std::string> pieces;
  for (std::size_t i = 0; i < P.size(); ++i) {
    pieces.push_back("P(" + std::to_string(i) + ") = (" + std::to_string(P[i].x) + ", " +
                     std::to_string(P[i].y) + ")");
  }
  pieces.push_back(Format(Tr("距離 %1"), {RoundedFigure(study.distance)}));
  for (std::size_t i = 0; i < geometry::kStudyTargets.size(); ++i) {
    pieces.push_back(FewestLine(study, i));
  }
  std::vector<std::string> fitted;
  for (const std::string& piece : pieces) {
    for (std::string& part : BreakText(piece, width, measure)) fitted.push_back(std::move(part));
  }
  return Wrap(fitted, "   ", width, measure);
}

}  // namespace scene::plot
