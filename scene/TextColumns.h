#pragma once

// Columns of a table meant for a terminal: a text right-aligned in `width`
// cells, where a character outside ASCII (the Japanese headings) takes two.
// No Qt.

#include <algorithm>
#include <string>

namespace scene {

inline std::string Cell(const std::string& text, int width) {
  int cells = 0;
  for (const unsigned char c : text) {
    if (c < 0x80) {
      ++cells;
    } else if ((c & 0xC0) != 0x80) {
      cells += 2;
    }
  }
  return std::string(static_cast<std::size_t>(std::max(0, width - cells)), ' ') + text;
}

}  // namespace scene
