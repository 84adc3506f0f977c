#pragma once

// Whether a text holds Japanese: kana, kanji or a full-width form. The tests
// of the English texts fail on any such character left behind.

#include <QString>

namespace testing_support {

inline bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
        (u >= 0xFF00 && u <= 0xFFEF)) {
      return true;
    }
  }
  return false;
}

}  // namespace testing_support
