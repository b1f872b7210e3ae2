#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/DesertDunesEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

// The dunes in their second window of the timeline (title and lyrics); the
// first (the opening zoom) is drawn with FrameInWindow(0, ...).
class DesertDunesPixels : public TerrainScenePixelTest<DesertDunesEffect, EffectId::desertDunes, 1> {
 protected:
  DesertDunesPixels() { phase = 2.0f; }
};

}  // namespace

TEST_F(DesertDunesPixels, ClearsToTheDaySkyColourAndBlendsSkyAndTerrain) {
  // Transparent sky and sand: only the clear colour is left, in both windows.
  PaintFlat(bank, {{Slot::skyday, {255, 255, 255, 0}}, {Slot::sand, {255, 255, 255, 0}}});
  for (int which : {0, 1}) {
    FillBuffer(1, 0, 0);
    FrameInWindow(which, 250);
    EXPECT_TRUE(FrameOfClearColour({0.67f, 0.74f, 0.95f, 0}, 4)) << "window " << which;
  }
}

TEST_F(DesertDunesPixels, OpaqueTerrainCoversTheLowerHalfAndTheSkyTheTop) {
  PaintFlat(bank, {{Slot::skyday, texel::blue}, {Slot::sand, texel::yellow}});
  Frame(250);
  // Lit textures: blue only at the top, no blue in the sand near the bottom.
  const GLTestWindow::Pixel top = window.At(kW / 2, 20), bottom = window.At(kW / 2, kH - 20);
  EXPECT_GT(top.b, 100);
  EXPECT_EQ(top.r, 0);
  EXPECT_GT(bottom.r, 100);
  EXPECT_EQ(bottom.b, 0);
}

TEST_F(DesertDunesPixels, OverlaysAppearWhereAndWhenTheyAreDue) {
  PaintFlat(bank, {{Slot::lumivane, texel::cyan}, {Slot::lyrics_whats, texel::yellow},
                   {Slot::lyrics_desert, texel::magenta}});
  const int centreX = kW / 2, centreY = kH / 2 - 40;  // above the first lyric line

  Frame(5250);  // the title at full opacity in the middle
  EXPECT_TRUE(Near(window.At(centreX, centreY), 0, 255, 255, 4));
  Frame(9250);  // gone at its end; the first lyric line still there
  EXPECT_FALSE(Near(window.At(centreX, centreY), 0, 255, 255, 40));

  Frame(7750);  // u = 3.875: the first line at (1 - u/5, -1, -10), over the title
  EXPECT_TRUE(Near(window.At(Column(1 - 3.875f / 5), Row(-1)), 255, 255, 0, 4));
  Frame(14000);  // u = 7: the second line at (u/5 - 1, -2, -10)
  EXPECT_TRUE(Near(window.At(Column(7.0f / 5 - 1), Row(-2)), 255, 0, 255, 4));
  Frame(11250);  // neither line at the bound between them
  EXPECT_FALSE(Near(window.At(Column(1 - 5.625f / 5), Row(-1)), 255, 255, 0, 40));
  EXPECT_FALSE(Near(window.At(Column(5.625f / 5 - 1), Row(-2)), 255, 0, 255, 40));
}

TEST_F(DesertDunesPixels, FirstWindowMagnifiesTheCentreAndThenZoomsOut) {
  PaintFlat(bank, {{Slot::skyday, texel::blue}, {Slot::sand, texel::yellow}});
  // Almost no field of view: one terrain cell fills the picture, top to bottom.
  FrameInWindow(0, 1);
  const GLTestWindow::Pixel top = window.At(kW / 2, 2), bottom = window.At(kW / 2, kH - 3);
  EXPECT_GT(top.r, 50);
  EXPECT_EQ(top.b, 0);
  EXPECT_GT(bottom.r, 50);
  // Wide at the end of the window: sky at the top again.
  FrameInWindow(0, 8499);
  EXPECT_GT(window.At(kW / 2, 2).b, 100);
  // The scene's own projection is gone after the frame: the window's is back.
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[5], 1 / 0.41421356, 1e-4);  // cot(22.5 degrees)
  EXPECT_NEAR(projection[0], projection[5] * kH / kW, 1e-4);
}

TEST_F(DesertDunesPixels, WithTheGeneratedDataALyricLineIsVisibleOnlyInsideItsSpan) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  // The same frames with the real lyric pictures and with transparent ones:
  // in the middle of the second line's span and at the bound between the lines.
  const std::vector<unsigned char> withLyricMiddle = Pixels(14000);
  const std::vector<unsigned char> withLyricBound = Pixels(11250);
  PaintOut({Slot::lyrics_desert, Slot::lyrics_whats});
  EXPECT_GT(Differing(withLyricMiddle, Pixels(14000)), 200);  // the line's letters
  EXPECT_TRUE(SameFrame(withLyricBound, Pixels(11250)));
}
