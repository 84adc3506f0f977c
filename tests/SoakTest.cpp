// Soak: 100,000 full redraws, all six boxes ticked, while P(0) is dragged
// through the drawing area by real events. Resident memory after the last
// redraw must be within 1 MiB of what it was after the first 1,000.

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "MouseInput.h"
#include "main.h"

#if defined(__SANITIZE_ADDRESS__)
#define BEZIERLAB_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BEZIERLAB_ASAN 1
#endif
#endif

namespace {

// VmRSS from /proc/self/status, in KiB.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

TEST(Soak, FullRedrawsWhileDraggingKeepResidentMemoryFlat) {
#ifdef BEZIERLAB_ASAN
  GTEST_SKIP() << "resident memory means nothing under AddressSanitizer";
#endif
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  for (QCheckBox* box : window.Check1) box->setChecked(true);
  for (QCheckBox* box : window.Check2) box->setChecked(true);
  testing_support::MouseInput mouse(*window.Picture1);
  mouse.Press({50, 50});
  ASSERT_EQ(window.grabIndex, 0);
  int redraws = 0;  // each redraw shows the busy caption once
  QObject::connect(&window, &QWidget::windowTitleChanged, [&redraws](const QString& caption) {
    redraws += caption == editor::kBusyCaption;
  });

  constexpr int kRedraws = 100000;
  long early = 0;
  QPointF at;
  for (int i = 1; i <= kRedraws; ++i) {
    // A Lissajous figure over the area and a little beyond its edges, where
    // the point stops at the margins; each move redraws once.
    const double t = i * 0.01;
    at = {std::round(130 + 140 * std::sin(3 * t)), std::round(130 + 140 * std::sin(4 * t))};
    mouse.Move(at);
    if (i == 1000) early = ResidentKiB();
  }
  const long late = ResidentKiB();
  std::printf("VmRSS after 1,000 redraws: %ld KiB, after %d: %ld KiB\n", early, kRedraws, late);

  // One redraw per move, still dragging, and the report has all 14 lines.
  EXPECT_EQ(redraws, kRedraws);
  EXPECT_EQ(window.grabIndex, 0);
  EXPECT_EQ(window.P[0].x, std::clamp(static_cast<int>(at.x()), 5, 255));
  EXPECT_EQ(window.Label1->text().count('\n'), 14);
  ASSERT_GT(early, 0);
  EXPECT_LT(std::abs(late - early), 1024) << "KiB, resident memory moved by 1 MiB or more";
  mouse.Release();
}

}  // namespace
