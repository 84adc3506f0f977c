#include "WholeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <vector>

#include "ReadWhole.h"
#include "Tr.h"

namespace files {

namespace {

// How many names a temporary file may try before giving up: a name is taken
// only by another writer at the same moment or by a run that was killed.
constexpr int kTemporaryNameTries = 100;

// Where the bytes of one output go.
struct Target {
  const Output* output = nullptr;
  std::string place;      // the file renamed over: a symbolic link's target, so the link stays
  bool inPlace = false;   // an existing device or pipe: nothing to replace, written directly
  std::string temporary;  // for a file: the temporary written beside it
  bool exists = false;
  mode_t mode = 0;  // an existing file's, which its replacement keeps
};

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string Failure(const std::string& path, int error) {
  return i18n::Format(i18n::Tr("ファイル「%1」に書き込めません: %2"),
                      {Readable(path), Reason(error)});
}

bool WriteFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Finds where `target.output` goes. Returns the errno that rules it out, or 0.
int Resolve(Target& target) {
  const std::string& path = target.output->path;
  target.place = path;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    // A dangling link is replaced by the file; a link to a file keeps pointing
    // to it, and that file is replaced.
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      target.place = resolved;
      std::free(resolved);  // NOLINT(cppcoreguidelines-no-malloc): realpath allocates with malloc
    }
  }
  struct stat existing {};
  if (::stat(target.place.c_str(), &existing) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(existing.st_mode)) return EISDIR;
  // A file that may not be written is not replaced behind its owner's back.
  if (::access(target.place.c_str(), W_OK) != 0) return errno;
  target.inPlace = !S_ISREG(existing.st_mode);
  target.exists = true;
  target.mode = existing.st_mode & 07777;
  return 0;
}

// Creates a new temporary file beside the target, named after it. The kernel
// applies the umask to a new file's mode, as it would to the target's; an
// existing target's mode is copied. Returns the descriptor, or -1 with errno.
int CreateTemporary(const Target& target, std::string& temporary) {
  const std::string& place = target.place;
  const std::size_t slash = place.rfind('/');
  const std::string name = slash == std::string::npos ? place : place.substr(slash + 1);
  std::random_device seed;
  std::mt19937 random(seed());
  for (int tries = 0; tries < kTemporaryNameTries; ++tries) {
    temporary = Folder(place) + "/." + name + "." + std::to_string(random() % 1000000000);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      if (target.exists && ::fchmod(fd, target.mode) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = error;
        return -1;
      }
      return fd;
    }
    if (errno != EEXIST) break;
  }
  temporary.clear();
  return -1;
}

// Writes the temporary file of `target`, flushed to disk. Returns the errno
// of the first step that failed, after removing the temporary.
int WriteTemporary(Target& target) {
  const int fd = CreateTemporary(target, target.temporary);
  if (fd < 0) return errno;
  int error = 0;
  if (!WriteFully(fd, target.output->bytes) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(target.temporary.c_str());
    target.temporary.clear();
  }
  return error;
}

// Writes straight into a device or pipe. Returns the errno, or 0.
int WriteInPlace(const Target& target) {
  const int fd = ::open(target.place.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = 0;
  if (!WriteFully(fd, target.output->bytes)) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

// Makes the renames in the folder last across a crash; a folder that cannot
// be opened or synced changes nothing of what was written.
void SyncFolder(const std::string& path) {
  const int fd = ::open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void RemoveTemporaries(const std::vector<Target>& targets) {
  for (const Target& t : targets) {
    if (!t.temporary.empty()) ::unlink(t.temporary.c_str());
  }
}

}  // namespace

std::optional<std::string> WriteWhole(std::span<const Output> outputs) {
  std::vector<Target> targets(outputs.size());
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    Target& target = targets[i];
    target.output = &outputs[i];
    int error = Resolve(target);
    if (error == 0 && !target.inPlace) error = WriteTemporary(target);
    if (error != 0) {
      RemoveTemporaries(targets);
      return Failure(outputs[i].path, error);
    }
  }
  std::string replaced;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    Target& target = targets[i];
    int error = 0;
    if (target.inPlace) {
      error = WriteInPlace(target);
    } else if (::rename(target.temporary.c_str(), target.place.c_str()) != 0) {
      error = errno;
    } else {
      target.temporary.clear();
      SyncFolder(target.place);
    }
    if (error != 0) {
      RemoveTemporaries(targets);
      std::string message = Failure(target.output->path, error);
      if (!replaced.empty()) message += i18n::Format(i18n::Tr("（書き換え済み: %1）"), {replaced});
      return message;
    }
    if (!replaced.empty()) replaced += i18n::Tr("、");
    replaced += i18n::Format(i18n::Tr("「%1」"), {Readable(target.output->path)});
  }
  return std::nullopt;
}

std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes) {
  const Output output{path, bytes};
  return WriteWhole(std::span<const Output>(&output, 1));
}

}  // namespace files
