#include "ReadWhole.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace files {

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
