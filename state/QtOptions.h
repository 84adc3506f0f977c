#pragma once

// The options QApplication takes out of the command line for itself, found
// before Qt starts, so that the window's own options and FILE can be checked
// (and refused) without a display. Qt takes each of them with one dash or
// two (-style fusion, --style fusion), in its own passes: the platform's
// first, then the X11 plugin's (on xcb only), QCoreApplication's,
// QGuiApplication's and QApplication's.

#include <span>
#include <string>
#include <vector>

namespace state {

struct QtCommandLine {
  // The arguments Qt leaves, program name first.
  std::vector<std::string> rest;
  // The platform named by the last -platform, else by QT_QPA_PLATFORM; empty
  // when neither names one (Qt then chooses: xcb, or wayland in a Wayland
  // session).
  std::string platform;
  bool displayGiven = false;  // -display, on xcb
};

// `argv` as main receives it; `platformVariable` is QT_QPA_PLATFORM (nullptr
// when not set).
QtCommandLine TakeQtOptions(std::span<char* const> argv, const char* platformVariable);

// Whether Qt can show a window that someone sees, judged from the platform
// and the display variables (nullptr when not set): xcb wants a display,
// wayland a Wayland display; offscreen and minimal show nothing. Never
// chooses a platform itself.
bool CanShowWindows(const QtCommandLine& line, const char* display, const char* waylandDisplay);

}  // namespace state
