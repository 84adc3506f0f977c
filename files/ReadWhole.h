#pragma once

// Paths as the system has them: bytes, not text. A path is shown in a message
// as its UTF-8 text, with every byte that is no part of valid UTF-8 (and every
// control character) escaped as \xhh; a whole file is read by those bytes.

#include <cstddef>
#include <string>
#include <string_view>

#include "Readable.h"

namespace files {

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
