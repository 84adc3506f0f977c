#include "Appearance.h"

#include <QFont>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include "Design.h"
#include "Fonts.h"

namespace editor {

namespace {

// Whether a check-box caption in `font` fits the room the style leaves beside
// the indicator in a box of the designed size.
bool CaptionFits(const QStyle& style, const QFont& font, const char* caption,
                 const scene::Design& box) {
  QStyleOptionButton option;
  option.rect = QRect(0, 0, scene::Pixels(box).width, scene::Pixels(box).height);
  option.text = QString::fromUtf8(caption);
  option.fontMetrics = QFontMetrics(font);
  const QRect room = style.subElementRect(QStyle::SE_CheckBoxContents, &option, nullptr);
  return option.fontMetrics.horizontalAdvance(option.text) <= room.width() &&
         option.fontMetrics.height() <= room.height();
}

// The design's Japanese captions choose the size, whatever the language of the
// run: English is shown in the same font, and its texts are written to fit.
bool AllCaptionsFit(const QStyle& style, const QFont& font) {
  for (std::size_t i = 0; i < scene::kCheck1.size(); ++i) {
    if (!CaptionFits(style, font, scene::kCheck1Captions[i], scene::kCheck1[i])) return false;
  }
  for (std::size_t i = 0; i < scene::kCheck2.size(); ++i) {
    if (!CaptionFits(style, font, scene::kCheck2Captions[i], scene::kCheck2[i])) return false;
  }
  return true;
}

}  // namespace

void ApplyAppearance(QApplication& app) {
  if (QStyle* style = QStyleFactory::create("Fusion")) app.setStyle(style);
  QFont font;
  font.setFamilies(surface::JapaneseFamilies());
  constexpr int kLargest = 12;
  constexpr int kSmallest = 9;
  for (int size = kLargest; size >= kSmallest; --size) {
    font.setPixelSize(size);
    if (AllCaptionsFit(*QApplication::style(), font)) break;
  }
  app.setFont(font);
}

}  // namespace editor
