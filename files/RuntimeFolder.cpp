#include "RuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace files {

namespace {

constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kOwnerOnly = 0700;

}  // namespace

bool UsableRuntimeFolder(const char* path) {
  struct stat info {};
  return path != nullptr && *path != '\0' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & kPermissionBits) == kOwnerOnly;
}

PrivateRuntimeFolder::PrivateRuntimeFolder(const char* program) {
  const char* given = std::getenv("XDG_RUNTIME_DIR");
  if (UsableRuntimeFolder(given)) return;
  const char* tmp = std::getenv("TMPDIR");
  std::string name = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/" + program +
                     "-runtime-XXXXXX";
  // mkdtemp makes the folder with mode 0700, owned by this user.
  if (::mkdtemp(name.data()) == nullptr) return;
  path_ = name;
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0' && *wayland != '/' && given != nullptr &&
      *given != '\0') {
    ::setenv("WAYLAND_DISPLAY", (std::string(given) + "/" + wayland).c_str(), 1);
  }
  ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
}

PrivateRuntimeFolder::~PrivateRuntimeFolder() {
  if (!path_.empty()) ::rmdir(path_.c_str());
}

}  // namespace files
