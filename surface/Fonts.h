#pragma once

// The fonts the programs write Japanese in, best first: the window's controls
// and the convergence plot use the first one installed.

#include <QFont>
#include <QStringList>

namespace surface {

inline QStringList JapaneseFamilies() {
  return {"IPAPGothic", "VL PGothic",          "TakaoPGothic", "Noto Sans CJK JP",
          "IPAGothic",  "Droid Sans Fallback", "sans-serif"};
}

// The fixed-pitch fonts for tables, best first: each Japanese character takes
// two columns of a Latin one, as the tables' columns count them
// (scene/TextColumns.h).
inline QStringList FixedPitchFamilies() {
  return {"IPAGothic", "VL Gothic", "TakaoGothic", "Noto Sans Mono CJK JP", "monospace"};
}

// One of those fonts at `pixelSize`.
inline QFont JapaneseFont(int pixelSize) {
  QFont font;
  font.setFamilies(JapaneseFamilies());
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace surface
