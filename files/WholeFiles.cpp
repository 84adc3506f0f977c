#include "WholeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace files {

namespace {

// A file written but not yet in place.
struct Pending {
  const Output* output;
  std::string temporary;
};

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string Failure(const std::string& path, int error) {
  return "ファイル「" + path + "」に書き込めません: " + std::strerror(error);
}

// The mode a new file gets from the umask; an existing target keeps its own.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
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

// Writes `output` to a new temporary file beside its target. Returns the
// errno of the first step that failed, after removing the temporary.
int WriteTemporary(const Output& output, std::string& temporary) {
  std::string name = Folder(output.path) + "/.bezierlab-XXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return errno;
  temporary = name;
  int error = 0;
  if (!WriteFully(fd, output.bytes) || ::fchmod(fd, ModeFor(output.path)) != 0 ||
      ::fsync(fd) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(name.c_str());
    temporary.clear();
  }
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

}  // namespace

std::optional<std::string> WriteWhole(std::span<const Output> outputs) {
  std::vector<Pending> pending;
  for (const Output& output : outputs) {
    std::string temporary;
    if (const int error = WriteTemporary(output, temporary); error != 0) {
      for (const Pending& p : pending) ::unlink(p.temporary.c_str());
      return Failure(output.path, error);
    }
    pending.push_back({&output, temporary});
  }
  std::string replaced;
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const std::string& path = pending[i].output->path;
    if (::rename(pending[i].temporary.c_str(), path.c_str()) != 0) {
      const int error = errno;
      for (std::size_t j = i; j < pending.size(); ++j) ::unlink(pending[j].temporary.c_str());
      std::string message = Failure(path, error);
      if (!replaced.empty()) message += "（書き換え済み: " + replaced + "）";
      return message;
    }
    SyncFolder(path);
    replaced += (replaced.empty() ? "「" : "、「") + path + "」";
  }
  return std::nullopt;
}

std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes) {
  const Output output{path, bytes};
  return WriteWhole(std::span<const Output>(&output, 1));
}

}  // namespace files
