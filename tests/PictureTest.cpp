// Pixels of the retained picture: each colour must land where its curve runs,
// and the picture box must show that picture inside its border.

#include <gtest/gtest.h>

#include <QImage>

#include "Design.h"
#include "PainterSurface.h"
#include "main.h"

namespace {

// Number of pixels of `colour` within `radius` of (x, y).
int CountNear(const QImage& image, int x, int y, QColor colour, int radius = 2) {
  int count = 0;
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      if (image.pixelColor(x + dx, y + dy) == colour) ++count;
    }
  }
  return count;
}

int CountAll(const QImage& image, QColor colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  }
  return count;
}

const QColor kDark(64, 64, 64);
const QColor kGrey(127, 127, 127);
const QColor kYellow(255, 255, 0);
const QColor kPaleYellow(224, 224, 128);
const QColor kBlue(0, 0, 255);

TEST(RetainedPicture, StartSceneColoursLandOnTheirCurves) {
  editor::main window;  // drawn during construction, before it is ever shown
  const QImage image = window.Picture1->Raster().Picture();
  ASSERT_EQ(image.devicePixelRatio(), 1.0);
  ASSERT_EQ(image.size(), QSize(260, 260));

  // Along y = 100, from left to right: the curve (width 2), the yellow curve,
  // the grey side P(1)-P(2), the blue polyline (width 2), the pale yellow side.
  EXPECT_GE(CountNear(image, 125, 100, kDark, 1), 2);
  EXPECT_GE(CountNear(image, 140, 100, kYellow), 1);
  EXPECT_GE(CountNear(image, 150, 100, kGrey), 1);
  EXPECT_GE(CountNear(image, 155, 100, kBlue, 1), 2);
  EXPECT_GE(CountNear(image, 170, 100, kPaleYellow), 1);
  EXPECT_EQ(CountNear(image, 100, 100, kDark, 10), 0);  // the inside of the bend is empty

  // The circle of P(0) is open, until P(0) is grabbed and it is filled black.
  const QColor black(Qt::black);
  EXPECT_EQ(CountNear(image, 50, 50, black), 0);
  window.grabIndex = 0;
  window.Redraw();
  EXPECT_GE(CountNear(window.Picture1->Raster().Picture(), 50, 50, black), 3);

  // The picture box shows the picture inside its 2-pixel border.
  const QImage shown = window.Picture1->grab().toImage();
  EXPECT_GE(CountNear(shown, 2 + 155, 2 + 100, kBlue, 1), 2);
  EXPECT_GE(CountNear(shown, 2 + 140, 2 + 100, kYellow), 1);

  // Each redraw starts from an erased picture.
  window.Check2[0]->setChecked(false);
  window.Check2[1]->setChecked(false);
  window.Redraw();
  const QImage bare = window.Picture1->Raster().Picture();
  // ... to the one background the report tool's pictures and the page use too.
  EXPECT_EQ(bare.pixelColor(0, 0), surface::ToQColor(scene::kAreaBackColour));
  EXPECT_EQ(CountAll(bare, kBlue), 0);
  EXPECT_EQ(CountAll(bare, kYellow), 0);
  EXPECT_EQ(CountAll(bare, kPaleYellow), 0);
  EXPECT_GE(CountNear(bare, 125, 100, kDark, 1), 2);
}

}  // namespace
