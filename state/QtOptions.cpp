// Qt's own options, taken out as QApplication takes them (Qt 6.4).

#include "QtOptions.h"

#include <string_view>

namespace state {

namespace {

enum class Takes {
  Nothing,
  Next,          // the next argument, also when there is none
  NextIfAny,     // the next argument, and only when there is one
  NextOrJoined,  // as NextIfAny, or the value after '=' (-style=fusion)
};

struct QtOption {
  std::string_view name;  // with one dash
  Takes takes;
};

using Pass = std::span<const QtOption>;

// The platform's options; -geometry, -title and -icon only while the
// platform named so far is xcb.
constexpr QtOption kPlatform[] = {
    {"-platformpluginpath", Takes::Next}, {"-platform", Takes::Next},
    {"-platformtheme", Takes::Next},      {"-qwindowgeometry", Takes::Next},
    {"-qwindowtitle", Takes::Next},       {"-qwindowicon", Takes::Next},
};
constexpr QtOption kPlatformOnXcb[] = {
    {"-geometry", Takes::Next}, {"-title", Takes::Next}, {"-icon", Takes::Next}};
constexpr QtOption kXcbPlugin[] = {
    {"-display", Takes::NextIfAny}, {"-name", Takes::NextIfAny}, {"-visual", Takes::NextIfAny},
    {"-nograb", Takes::Nothing},    {"-dograb", Takes::Nothing},
};
constexpr QtOption kCore[] = {{"-qmljsdebugger", Takes::NextOrJoined}};
constexpr QtOption kGui[] = {
    {"-session", Takes::NextIfAny}, {"-style", Takes::NextOrJoined},  {"-plugin", Takes::Next},
    {"-reverse", Takes::Nothing},   {"-testability", Takes::Nothing},
};
constexpr QtOption kWidgets[] = {{"-stylesheet", Takes::NextOrJoined},
                                 {"-widgetcount", Takes::Nothing}};

bool IsXcb(std::string_view platform) { return platform.empty() || platform.starts_with("xcb"); }

// How many arguments from `args[i]` on the option there takes out: 0 when
// it is none of `pass`.
std::size_t Taken(Pass pass, const std::vector<std::string>& args, std::size_t i) {
  std::string_view arg = args[i];
  if (!arg.starts_with('-')) return 0;
  if (arg.starts_with("--")) arg.remove_prefix(1);
  const bool followed = i + 1 < args.size();
  for (const QtOption& option : pass) {
    if (arg == option.name) {
      switch (option.takes) {
        case Takes::Nothing:
          return 1;
        case Takes::Next:
          return followed ? 2 : 1;
        case Takes::NextIfAny:
        case Takes::NextOrJoined:
          if (followed) return 2;
          continue;
      }
    }
    if (option.takes == Takes::NextOrJoined && arg.starts_with(option.name) &&
        arg.substr(option.name.size()).starts_with('=')) {
      return 1;
    }
  }
  return 0;
}

void RunPass(Pass pass, std::vector<std::string>& args) {
  std::vector<std::string> kept{args.front()};
  for (std::size_t i = 1; i < args.size();) {
    const std::size_t taken = Taken(pass, args, i);
    if (taken == 0) kept.push_back(args[i]);
    i += taken == 0 ? 1 : taken;
  }
  args = std::move(kept);
}

}  // namespace

QtCommandLine TakeQtOptions(std::span<char* const> argv, const char* platformVariable) {
  QtCommandLine line;
  if (platformVariable != nullptr) line.platform = platformVariable;
  std::vector<std::string> args(argv.begin(), argv.end());
  if (args.empty()) args.emplace_back();

  // The platform's pass names the platform as it goes.
  std::vector<std::string> kept{args.front()};
  for (std::size_t i = 1; i < args.size();) {
    std::size_t taken = Taken(kPlatform, args, i);
    if (taken == 0 && IsXcb(line.platform)) taken = Taken(kPlatformOnXcb, args, i);
    if (taken == 2 && std::string_view(args[i]).ends_with("-platform")) {
      line.platform = args[i + 1];
    }
    if (taken == 0) kept.push_back(args[i]);
    i += taken == 0 ? 1 : taken;
  }
  args = std::move(kept);

  if (IsXcb(line.platform)) {
    for (std::size_t i = 1; i < args.size(); ++i) {
      std::string_view arg = args[i];
      if (arg.starts_with("--")) arg.remove_prefix(1);
      if (arg == "-display" && i + 1 < args.size()) line.displayGiven = true;
    }
    RunPass(kXcbPlugin, args);
  }
  for (Pass pass : {Pass(kCore), Pass(kGui), Pass(kWidgets)}) RunPass(pass, args);
  line.rest = std::move(args);
  return line;
}

bool CanShowWindows(const QtCommandLine& line, const char* display, const char* waylandDisplay) {
  const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
  const std::string_view platform = line.platform;
  if (platform.empty()) return set(display) || set(waylandDisplay) || line.displayGiven;
  if (platform.starts_with("xcb")) return set(display) || line.displayGiven;
  if (platform.starts_with("wayland")) return set(waylandDisplay);
  return !platform.starts_with("offscreen") && !platform.starts_with("minimal");
}

}  // namespace state
