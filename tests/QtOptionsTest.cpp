// The window's command line as the program checks it before Qt starts,
// against what QApplication itself leaves of the same arguments: for each
// row of Qt options (and each in both spellings, -style and --style), a real
// QApplication is made on the platform of the environment (offscreen under
// ctest; run under X11 with QT_QPA_PLATFORM unset to compare the xcb
// plugin's options too).

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "QtOptions.h"

namespace {

using Arguments = std::vector<std::string>;

// `row` with every option spelled with two dashes.
Arguments TwoDashes(Arguments row) {
  for (std::string& a : row) {
    if (a.size() > 1 && a[0] == '-' && a[1] != '-') a.insert(a.begin(), '-');
  }
  return row;
}

Arguments LeftByQt(const Arguments& row) {
  std::vector<std::string> storage{"bezierlab"};
  storage.insert(storage.end(), row.begin(), row.end());
  std::vector<char*> argv;
  argv.reserve(storage.size());
  for (std::string& a : storage) argv.push_back(a.data());
  int argc = static_cast<int>(argv.size());
  QApplication app(argc, argv.data());
  Arguments left;
  for (const QString& a : QCoreApplication::arguments()) left.push_back(a.toStdString());
  return left;
}

Arguments LeftBeforeQt(const Arguments& row) {
  std::vector<std::string> storage{"bezierlab"};
  storage.insert(storage.end(), row.begin(), row.end());
  std::vector<char*> argv;
  argv.reserve(storage.size());
  for (std::string& a : storage) argv.push_back(a.data());
  return state::TakeQtOptions(argv, std::getenv("QT_QPA_PLATFORM")).rest;
}

// On xcb the display must be one Qt can open.
std::string Display() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr ? display : ":7";
}

TEST(QtOptions, TheCheckBeforeQtLeavesWhatQApplicationLeaves) {
  const std::vector<Arguments> rows = {
      // Each option with its value, then where the value is missing.
      {"-platform", "minimal", "--distance", "20", "a.bezierlab"},
      {"-platformtheme", "t", "x"},
      {"-platformpluginpath", "/nowhere", "x"},
      {"-qwindowgeometry", "100x100", "x"},
      {"-qwindowtitle", "t", "x"},
      {"-qwindowicon", "i.png", "x"},
      {"-geometry", "100x100", "-title", "t", "-icon", "i.png", "x"},
      {"-style", "fusion", "--points", "5,5,5,5,5,5,5,5"},
      {"-style=fusion", "x"},
      {"-stylesheet", "none.qss", "x"},
      {"-stylesheet=none.qss", "x"},
      {"-qmljsdebugger", "port:1", "x"},
      {"-qmljsdebugger=port:1", "x"},
      {"-session", "s", "x"},
      {"-plugin", "p", "x"},
      {"-reverse", "-widgetcount", "--no-accurate", "x"},
      {"-display", Display(), "-name", "n", "-visual", "v", "-nograb", "-dograb", "x"},
      {"x", "-platformtheme"},
      {"x", "-style"},
      {"x", "-stylesheet"},
      {"x", "-session"},
      {"x", "-qmljsdebugger"},
      {"x", "-plugin"},
      {"x", "-display"},
      {"x", "-qwindowtitle"},
      // What Qt leaves alone.
      {"-platform=minimal", "-session=s", "-plugin=p", "-reverse=1", "-", "--", "x"},
      {"-ncols", "2", "-cmap", "-sync", "-dialogs", "d", "-fontengine", "f", "---reverse"},
      // A value that looks like an option, taken in Qt's order of passes.
      {"-style", "-reverse", "x"},
      {"-stylesheet", "-reverse", "x"},
      {"-stylesheet", "-style", "x"},
      {"-session", "-qmljsdebugger", "x"},
      {"-qmljsdebugger", "-platformtheme", "t", "x"},
      {"-style", "-platform", "minimal", "x"},
      {"-display", "-platformtheme", "x"},
      {"-style", "-name", "x"},
      {"-platform", "minimal", "-geometry", "1x1", "x"},
  };
  for (const Arguments& row : rows) {
    for (const Arguments& spelled : {row, TwoDashes(row)}) {
      std::string shown;
      for (const std::string& a : spelled) shown += a + ' ';
      EXPECT_EQ(LeftBeforeQt(spelled), LeftByQt(spelled)) << shown;
    }
  }
}

TEST(QtOptions, AWindowIsShownOnlyWhereSomeoneCanSeeIt) {
  std::string program = "bezierlab";
  const auto on = [&program](const char* platform) {
    std::vector<char*> argv{program.data()};
    return state::TakeQtOptions(argv, platform);
  };
  EXPECT_FALSE(state::CanShowWindows(on(nullptr), nullptr, nullptr));
  EXPECT_FALSE(state::CanShowWindows(on(nullptr), "", nullptr));
  EXPECT_TRUE(state::CanShowWindows(on(nullptr), ":0", nullptr));
  EXPECT_TRUE(state::CanShowWindows(on(nullptr), nullptr, "wayland-0"));
  EXPECT_FALSE(state::CanShowWindows(on("xcb"), nullptr, "wayland-0"));
  EXPECT_FALSE(state::CanShowWindows(on("wayland"), ":0", nullptr));
  EXPECT_FALSE(state::CanShowWindows(on("offscreen"), ":0", "wayland-0"));
  std::string display = "-display", name = ":3";
  std::vector<char*> argv{program.data(), display.data(), name.data()};
  EXPECT_TRUE(state::CanShowWindows(state::TakeQtOptions(argv, nullptr), nullptr, nullptr));
}

}  // namespace
