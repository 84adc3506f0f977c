#include "Appearance.h"

#include <QFont>
#include <QStyleFactory>

namespace editor {

void ApplyAppearance(QApplication& app) {
  if (QStyle* style = QStyleFactory::create("Fusion")) app.setStyle(style);
  QFont font;
  font.setFamilies({"IPAPGothic", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic", "IPAGothic",
                    "Droid Sans Fallback", "sans-serif"});
  font.setPixelSize(12);
  app.setFont(font);
}

}  // namespace editor
