// The window on a screen with two device pixels to the logical pixel
// (QT_SCALE_FACTOR=2): the layout and the pointer stay in logical pixels, the
// picture is drawn at the full device resolution, without blur.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QTest>

#include "MouseInput.h"
#include "main.h"

namespace {

TEST(HiDpi, CurvesAreDrawnAtDeviceResolutionInTheLogicalLayout) {
  editor::main window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_EQ(window.devicePixelRatio(), 2.0);
  EXPECT_EQ(window.size(), QSize(631, 288));
  EXPECT_EQ(window.Picture1->geometry(), QRect(8, 16, 264, 264));
  EXPECT_EQ(window.Picture1->ScaleWidth(), 260.0f);

  const QImage picture = window.Picture1->Raster().Picture();
  EXPECT_EQ(picture.size(), QSize(520, 520));
  const QImage shown = window.grab().toImage();
  ASSERT_EQ(shown.size(), QSize(1262, 576));

  // The inner area of the drawing area, in device pixels.
  const QRect area(2 * (8 + 2), 2 * (16 + 2), 520, 520);
  // Blue polyline through (155, 100): four device pixels wide.
  int blue = 0;
  for (int x = 2 * 150; x < 2 * 160; ++x) {
    blue += shown.pixelColor(area.left() + x, area.top() + 200) == QColor(0, 0, 255);
  }
  EXPECT_GE(blue, 3);
  EXPECT_LE(blue, 6);

  // No blur: every pixel of the area has one of the scene's own colours.
  const QSet<QRgb> scene{picture.pixel(0, 0), qRgb(64, 64, 64),    qRgb(127, 127, 127),
                         qRgb(255, 255, 0),   qRgb(224, 224, 128), qRgb(0, 0, 255),
                         qRgb(0, 0, 0)};
  int foreign = 0;
  for (int y = 0; y < area.height(); ++y) {
    for (int x = 0; x < area.width(); ++x) {
      foreign += !scene.contains(shown.pixel(area.left() + x, area.top() + y) | 0xFF000000u);
    }
  }
  EXPECT_EQ(foreign, 0);

  // Not an enlarged low-resolution picture: the two device rows of many a
  // logical row differ on screen.
  int splitRows = 0;
  for (int y = area.top(); y < area.bottom(); y += 2) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (shown.pixel(x, y) != shown.pixel(x, y + 1)) {
        ++splitRows;
        break;
      }
    }
  }
  EXPECT_GT(splitRows, 20);

  // The pointer speaks logical pixels too, half pixels included.
  testing_support::MouseInput mouse(*window.Picture1);
  mouse.Press({52, 53});
  EXPECT_EQ(window.grabIndex, 0);
  mouse.Move({60.5, 61.5});
  EXPECT_EQ(window.P[0], (geometry::IntPoint{60, 62}));
  EXPECT_EQ(window.windowTitle().toStdString(), "ベジェ曲線の長さ計算サンプル - (60,62)");
  mouse.Release();
  EXPECT_EQ(window.grabIndex, -1);
}

}  // namespace
