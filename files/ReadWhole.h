#pragma once

// Paths as the system has them: bytes, not text. A path is shown in a message
// as its UTF-8 text, with every byte that is no part of valid UTF-8 (and every
// control character) escaped as \xhh; a whole file is read by those bytes,
// and why the system refused it is said in the language of the run.

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

// Why a system call failed with `error` (an errno), for the end of a message
// in the language of this run: the reasons a file commonly meets (missing, no
// permission, a folder where a file should be or the reverse, a full disk or
// quota, a read-only file system, a file size limit, a loop of symbolic
// links, a name too long) in the catalogue's words, any other as strerror
// words it. In English it reads on in lower case after a colon.
std::string Reason(int error);

}  // namespace files
