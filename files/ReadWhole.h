#pragma once

// Paths as the system has them: bytes, not text. A path is shown in a message
// as its UTF-8 text, with every byte that is no part of valid UTF-8 (and every
// control character) escaped as \xhh; a whole file is read by those bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace files {

// How many bytes the valid UTF-8 character at the start of `bytes` takes, or 0
// when it does not start with one (a stray byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF, a cut-off sequence).
std::size_t Utf8Length(std::string_view bytes);

// `bytes` readable on one line: valid UTF-8 as it is, other bytes and control
// characters as \xhh.
std::string Readable(std::string_view bytes);

enum class ReadFailure { kNone, kMissing, kFolder, kNotRegular, kTooLarge, kUnreadable };

struct ReadBytes {
  std::string bytes;
  ReadFailure failure = ReadFailure::kNone;
  int error = 0;  // errno, for kUnreadable
};

// The whole regular file at `path`, when it holds at most `largest` bytes. A
// folder, a pipe or a device is refused unread, so reading never waits for a
// writer.
ReadBytes ReadWhole(const std::string& path, std::size_t largest);

}  // namespace files
