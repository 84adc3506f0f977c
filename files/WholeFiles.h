#pragma once

// The one way the programs write files: each file is written whole or not at
// all. Its bytes go to a temporary file in the target's folder; every write,
// the flush to disk and the close are checked; only then is the temporary
// renamed over the target. When anything fails (a full disk, a file size
// limit, a folder that cannot be written) every existing target is left byte
// for byte as it was and no temporary file remains.
//
// A symbolic link keeps pointing where it did: the file it points to is
// replaced. A device or a pipe (/dev/null, a shell's process substitution)
// has nothing to lose and cannot be renamed over: it is written directly,
// after every temporary file has been written. A folder, or a file that may
// not be written, is refused before any target is replaced: the temporaries
// already written for the outputs before it are removed again.
//
// A path is taken as the bytes it is, whatever the locale; a message shows it
// readably (files::Readable).

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace files {

struct Output {
  std::string path;
  std::string_view bytes;
};

// Writes every output. All temporaries are written and checked before the
// first rename, so a failure while writing replaces nothing. Returns nothing
// on success, else one line (Japanese) naming the file that could not be
// written and why; should a rename fail after others succeeded, the line also
// names the files already replaced.
std::optional<std::string> WriteWhole(std::span<const Output> outputs);

// The same for one file.
std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes);

}  // namespace files
