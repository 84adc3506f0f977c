#include "Readable.h"

#include <array>

namespace files {

std::size_t Utf8Length(std::string_view bytes) {
  if (bytes.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i) & 0x3Fu);
  }
  constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

std::string Readable(std::string_view bytes) {
  constexpr const char* kHex = "0123456789abcdef";
  std::string shown;
  while (!bytes.empty()) {
    const std::size_t length = Utf8Length(bytes);
    const auto c = static_cast<unsigned char>(bytes.front());
    if (length == 0 || c < 0x20 || c == 0x7F) {
      shown += {'\\', 'x', kHex[c >> 4], kHex[c & 0xFu]};
      bytes.remove_prefix(1);
    } else {
      shown += bytes.substr(0, length);
      bytes.remove_prefix(length);
    }
  }
  return shown;
}

}  // namespace files
