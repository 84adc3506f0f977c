#include "ReadWhole.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "Tr.h"

namespace files {

namespace {

// The reasons a file commonly meets, in the catalogue's words.
struct CommonReason {
  int error;
  const char* text;
};
constexpr std::array<CommonReason, 10> kCommonReasons{{
    {ENOENT, i18n::Mark("ファイルもフォルダーもありません")},
    {EACCES, i18n::Mark("許可がありません")},
    {ENOTDIR, i18n::Mark("途中の名前がフォルダーではありません")},
    {EISDIR, i18n::Mark("フォルダーです")},
    {ENOSPC, i18n::Mark("ディスクに空きがありません")},
    {EROFS, i18n::Mark("読み出し専用のファイルシステムです")},
    {EFBIG, i18n::Mark("ファイルが大きすぎます")},
    {EDQUOT, i18n::Mark("ディスクの使用量の上限を超えています")},
    {ELOOP, i18n::Mark("シンボリックリンクが多すぎます")},
    {ENAMETOOLONG, i18n::Mark("名前が長すぎます")},
}};

}  // namespace

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

std::string Reason(int error) {
  for (const auto& [known, text] : kCommonReasons) {
    if (known == error) return i18n::Tr(text);
  }
  std::string reason = std::strerror(error);
  // The system words it as a sentence of its own ("Input/output error").
  if (i18n::CurrentLanguage() == i18n::Language::English && reason.size() > 1 && reason[0] >= 'A' &&
      reason[0] <= 'Z' && reason[1] >= 'a' && reason[1] <= 'z') {
    reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
  }
  return reason;
}

}  // namespace files
