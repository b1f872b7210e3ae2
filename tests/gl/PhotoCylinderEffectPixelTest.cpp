#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/PhotoCylinderEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

bool IsDarkBlue(GLTestWindow::Pixel p) { return p.r == 0 && p.g == 0 && p.b >= 126 && p.b <= 129; }
bool IsWall(GLTestWindow::Pixel p) { return p.r <= 2 && p.g >= 250 && p.b <= 2; }
bool IsBackground(GLTestWindow::Pixel p) { return p.r >= 250 && p.g <= 2 && p.b <= 2; }

class PhotoCylinderPixels : public ScenePixelTest<PhotoCylinderEffect, EffectId::photoCylinder> {
 protected:
  void Paint() override {
    PaintFlat(bank, {{Slot::photos, texel::green}, {Slot::background04, texel::red},
                     {Slot::lyrics_hate, texel::yellow}, {Slot::lyrics_wars, texel::yellow}});
  }
};

}  // namespace

TEST_F(PhotoCylinderPixels, DarkBlueAboveAndBelowBackgroundAndWall) {
  Frame(500);
  EXPECT_TRUE(AllAre({{320, 2}, {320, 42}, {320, 477}}, IsDarkBlue));
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
  EXPECT_TRUE(AllAre({{320, 440}, {40, 42}}, IsWall));
  Frame(1800);
  EXPECT_TRUE(AllAre({{320, 440}, {40, 42}}, IsDarkBlue));
}
