#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/PhotoCylinderEffect.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

bool IsDarkBlue(GLTestWindow::Pixel p) { return p.r == 0 && p.g == 0 && p.b >= 126 && p.b <= 129; }
bool IsWall(GLTestWindow::Pixel p) { return p.r <= 2 && p.g >= 250 && p.b <= 2; }
bool IsBackground(GLTestWindow::Pixel p) { return p.r >= 250 && p.g <= 2 && p.b <= 2; }

class PhotoCylinderPixels : public ScenePixels<PhotoCylinderEffect, EffectId::photoCylinder> {
 protected:
  void Paint() override {
    PaintFlat(bank.entries[Slot::photos], {0, 255, 0, 255});
    PaintFlat(bank.entries[Slot::background04], {255, 0, 0, 255});
    PaintFlat(bank.entries[Slot::lyrics_hate], {255, 255, 0, 255});
    PaintFlat(bank.entries[Slot::lyrics_wars], {255, 255, 0, 255});
  }
  PhotoCylinderEffect& cylinder = scene;
};

}  // namespace

TEST_F(PhotoCylinderPixels, DarkBlueAboveAndBelowBackgroundAndWall) {
  Frame(500);
  EXPECT_TRUE(IsDarkBlue(window.At(320, 2)));
  EXPECT_TRUE(IsDarkBlue(window.At(320, 42)));
  EXPECT_TRUE(IsDarkBlue(window.At(320, 477)));
  EXPECT_TRUE(IsBackground(window.At(320, 60)));  // the background's top edge
  EXPECT_TRUE(IsWall(window.At(320, 240)));       // the wall over the background
}

TEST_F(PhotoCylinderPixels, OpenSegmentShowsTheBackgroundAtTheLeftEdgeEarlyOn) {
  Frame(500);
  EXPECT_TRUE(IsBackground(window.At(2, 220)));
  EXPECT_TRUE(IsWall(window.At(160, 220)));
  Frame(1799);  // turned on: the wall closes the view
  EXPECT_TRUE(IsWall(window.At(2, 220)));
}

TEST_F(PhotoCylinderPixels, PulseStretchesTheWallOverTheDarkBlue) {
  // One millisecond apart the wall has turned by 0.013 degrees, but the pulse
  // drops from 0.799 to 0.3: both edges pull back toward the middle.
  Frame(1799);
  EXPECT_TRUE(IsWall(window.At(320, 440)));
  EXPECT_TRUE(IsWall(window.At(40, 42)));
  Frame(1800);
  EXPECT_TRUE(IsDarkBlue(window.At(320, 440)));
  EXPECT_TRUE(IsDarkBlue(window.At(40, 42)));
}
