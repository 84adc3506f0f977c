#include "ReadWhole.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

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

ReadBytes ReadWhole(const std::string& path, std::size_t largest) {
  ReadBytes read;
  // Without O_NONBLOCK, opening a pipe would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat status {};
  if (fd < 0 || ::fstat(fd, &status) != 0) {
    read.error = errno;
    read.failure = read.error == ENOENT ? ReadFailure::kMissing : ReadFailure::kUnreadable;
  } else if (S_ISDIR(status.st_mode)) {
    read.failure = ReadFailure::kFolder;
  } else if (!S_ISREG(status.st_mode)) {
    read.failure = ReadFailure::kNotRegular;
  } else {
    std::array<char, 65536> chunk{};
    for (;;) {
      const ssize_t n = ::read(fd, chunk.data(), chunk.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        read.error = errno;
        read.failure = ReadFailure::kUnreadable;
        break;
      }
      if (n == 0) break;
      read.bytes.append(chunk.data(), static_cast<std::size_t>(n));
      if (read.bytes.size() > largest) {
        read.failure = ReadFailure::kTooLarge;
        break;
      }
    }
  }
  if (fd >= 0) ::close(fd);
  if (read.failure != ReadFailure::kNone) read.bytes.clear();
  return read;
}

}  // namespace files
