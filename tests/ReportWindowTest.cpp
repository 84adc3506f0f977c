// The window and the report tool in the same states: the tool's text is the
// window's Label1, and its PNG is the window's drawing area pixel for pixel,
// at the window's device pixel ratio (this test also runs with
// QT_SCALE_FACTOR=2). States where steps fail are among them.

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "ToolProcess.h"
#include "main.h"

namespace {

using geometry::IntPoint;

struct WindowState {
  std::array<IntPoint, 4> P;
  int grabIndex;
  std::array<bool, 4> divisions;  // Check1(0..3)
  bool approximate;               // Check2(0)
  bool accurate;                  // Check2(1)
  int scroll;                     // HScroll1, the distance
};

// Puts the window into `s` and redraws; returns the tool's options for it.
QStringList Apply(editor::main& window, const WindowState& s) {
  for (std::size_t i = 0; i < 4; ++i) window.Check1[i]->setChecked(s.divisions[i]);
  window.Check2[0]->setChecked(s.approximate);
  window.Check2[1]->setChecked(s.accurate);
  window.HScroll1->setValue(s.scroll);
  window.P = s.P;
  window.grabIndex = s.grabIndex;
  window.Redraw();

  QStringList points, divisions;
  for (const IntPoint& p : s.P) points << QString::number(p.x) << QString::number(p.y);
  for (std::size_t i = 0; i < 4; ++i) {
    if (s.divisions[i]) divisions << QString::number(std::pow(10, i + 1));
  }
  QStringList args{"--points=" + points.join(','),
                   "--divisions=" + divisions.join(','),
                   "--distance",
                   QString::number(s.scroll),
                   "--grabbed",
                   QString::number(s.grabIndex)};
  if (!s.approximate) args << "--no-approximate";
  if (!s.accurate) args << "--no-accurate";
  return args;
}

int DifferingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int col = 0; col < x.width(); ++col) differing += x.pixel(col, row) != y.pixel(col, row);
  }
  return differing;
}

TEST(ReportWindow, ToolWritesTheWindowsReportAndPicture) {
  constexpr std::array<bool, 4> kAll{true, true, true, true};
  const std::vector<WindowState> states{
      {scene::kStartPoints, -1, {false, false, true, false}, true, true, 30},
      {{{{20, 200}, {90, 15}, {240, 30}, {130, 250}}}, 2, kAll, true, true, 12},
      {{{{5, 5}, {255, 5}, {5, 255}, {255, 255}}}, 0, {}, false, true, 0},
      {{{{60, 60}, {60, 60}, {200, 80}, {120, 220}}}, 1, kAll, true, true, 50},    // P(1) = P(0)
      {{{{60, 60}, {100, 30}, {200, 200}, {200, 200}}}, -1, kAll, true, true, 7},  // P(3) = P(2)
      {{{{100, 100}, {100, 100}, {100, 100}, {100, 100}}}, 3, kAll, true, true, 25},
      // A side too long for its line, one whose differences overflow, and a
      // curve too long for its lines; then one too wide for CurveLength.
      {{{{0, 0}, {2000000000, 2000000000}, {-2000000000, 0}, {0, 0}}}, -1, kAll, true, true, 30},
      {{{{0, 0}, {100000, 0}, {200000, 40}, {300000, 0}}}, -1, kAll, true, false, 30},
      {{{{10, 10}, {400000000, 10}, {20, 250}, {250, 250}}}, -1, kAll, false, true, 40},
  };
  editor::main window;
  QTemporaryDir dir;
  const QString png = dir.filePath("area.png");
  for (const WindowState& s : states) {
    const QStringList args = Apply(window, s);
    const QImage& picture = window.Picture1->Raster().Picture();
    const int scale = qRound(picture.devicePixelRatio());
    SCOPED_TRACE(args.join(' ').toStdString() + " at scale " + std::to_string(scale));

    const testing_support::ToolRun run = testing_support::RunTool(
        args + QStringList{"--crlf", "--png", png, "--scale", QString::number(scale)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(run.out), window.Label1->text());
    EXPECT_EQ(DifferingPixels(QImage(png), picture), 0);

    const QJsonObject json =
        QJsonDocument::fromJson(testing_support::RunTool(args + QStringList{"--json"}).out)
            .object();
    EXPECT_EQ(json["report"].toString(), window.Label1->text());
  }
}

}  // namespace
