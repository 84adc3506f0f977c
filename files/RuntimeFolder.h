#pragma once

// The user's runtime folder for a run that needs Qt Gui (the report tool's
// --plot, the screenshot tool). Starting a GUI application, Qt looks up
// XDG_RUNTIME_DIR and warns on stderr when it is unset or empty, or names
// anything but a folder of this user's with mode 0700: what su, sudo -i,
// cron and containers leave. These programs keep nothing there, so such a
// run is given an empty private folder of its own instead, removed again
// when the run ends. A folder Qt takes as it is stays in use. POSIX, no Qt.

#include <string>

namespace files {

// Whether Qt takes `path` as the runtime folder without a word: a folder
// (after links), owned by this process's user, with mode exactly 0700.
bool UsableRuntimeFolder(const char* path);

// While it lives, XDG_RUNTIME_DIR names a usable folder: the one it named, or
// a new empty one under TMPDIR (else /tmp). A Wayland display named relative
// to the folder it replaces is named by its whole path then, so that a
// Wayland client still finds it.
class PrivateRuntimeFolder {
 public:
  explicit PrivateRuntimeFolder(const char* program);
  ~PrivateRuntimeFolder();
  PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
  PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

 private:
  std::string path_;  // the folder made, or empty
};

}  // namespace files
