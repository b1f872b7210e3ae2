#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "effects/DesertDunesEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

constexpr int kSecondStart = 15750;

class DesertDunesPixels : public ScenePixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    dunes.Init();
  }

  // One frame as the timeline draws it: the letterbox's matrix is still current.
  void Frame(int now, int start, float phase = 2.0f) {
    LetterboxMatrix();
    dunes.phase = phase;
    dunes.Render(now, start);
  }

  // Screen pixel of a point at depth 10 under the window's 45-degree projection.
  static int Column(float x) { return ColumnAt(x, 10, kW, kH); }
  static int Row(float y) { return RowAt(y, 10, kH); }

  DesertDunesEffect dunes{&bank};
};

}  // namespace

TEST_F(DesertDunesPixels, ClearsToTheDaySkyColourAndBlendsSkyAndTerrain) {
  // Transparent sky and sand: only the clear colour is left, in both windows.
  PaintFlat(bank.entries[Slot::skyday], {255, 255, 255, 0});
  PaintFlat(bank.entries[Slot::sand], {255, 255, 255, 0});
  for (int start : {0, kSecondStart}) {
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Frame(start + 250, start);
    for (auto [x, y] : {std::pair{5, 5}, {kW / 2, kH / 2}, {kW - 5, kH - 5}, {kW / 2, kH - 40}}) {
      EXPECT_TRUE(Near(window.At(x, y), 171, 189, 242, 4)) << start << " at " << x << "," << y;
    }
  }
}

TEST_F(DesertDunesPixels, OpaqueTerrainCoversTheLowerHalfAndTheSkyTheTop) {
  PaintFlat(bank.entries[Slot::skyday], {0, 0, 255, 255});
  PaintFlat(bank.entries[Slot::sand], {255, 255, 0, 255});
  Frame(16000, kSecondStart);
  // Lit textures: blue only at the top, no blue in the sand near the bottom.
  const GLTestWindow::Pixel top = window.At(kW / 2, 20), bottom = window.At(kW / 2, kH - 20);
  EXPECT_GT(top.b, 100);
  EXPECT_EQ(top.r, 0);
  EXPECT_GT(bottom.r, 100);
  EXPECT_EQ(bottom.b, 0);
}

TEST_F(DesertDunesPixels, OverlaysAppearWhereAndWhenTheyAreDue) {
  PaintFlat(bank.entries[Slot::lumivane], {0, 255, 255, 255});
  PaintFlat(bank.entries[Slot::lyrics_whats], {255, 255, 0, 255});
  PaintFlat(bank.entries[Slot::lyrics_desert], {255, 0, 255, 255});
  const int centreX = kW / 2, centreY = kH / 2 - 40;  // above the first lyric line

  Frame(21000, kSecondStart);  // the title at full opacity in the middle
  EXPECT_TRUE(Near(window.At(centreX, centreY), 0, 255, 255, 4));
  Frame(25000, kSecondStart);  // gone at its end; the first lyric line still there
  EXPECT_FALSE(Near(window.At(centreX, centreY), 0, 255, 255, 40));

  Frame(23500, kSecondStart);  // u = 3.875: the first line at (1 - u/5, -1, -10), over the title
  EXPECT_TRUE(Near(window.At(Column(1 - 3.875f / 5), Row(-1)), 255, 255, 0, 4));
  Frame(29750, kSecondStart);  // u = 7: the second line at (u/5 - 1, -2, -10)
  EXPECT_TRUE(Near(window.At(Column(7.0f / 5 - 1), Row(-2)), 255, 0, 255, 4));
  Frame(27000, kSecondStart);  // neither line at the bound between them
  EXPECT_FALSE(Near(window.At(Column(1 - 5.625f / 5), Row(-1)), 255, 255, 0, 40));
  EXPECT_FALSE(Near(window.At(Column(5.625f / 5 - 1), Row(-2)), 255, 0, 255, 40));
}

TEST_F(DesertDunesPixels, FirstWindowMagnifiesTheCentreAndThenZoomsOut) {
  PaintFlat(bank.entries[Slot::skyday], {0, 0, 255, 255});
  PaintFlat(bank.entries[Slot::sand], {255, 255, 0, 255});
  // Almost no field of view: one terrain cell fills the picture, top to bottom.
  Frame(1, 0);
  const GLTestWindow::Pixel top = window.At(kW / 2, 2), bottom = window.At(kW / 2, kH - 3);
  EXPECT_GT(top.r, 50);
  EXPECT_EQ(top.b, 0);
  EXPECT_GT(bottom.r, 50);
  // Wide at the end of the window: sky at the top again.
  Frame(8499, 0);
  EXPECT_GT(window.At(kW / 2, 2).b, 100);
  // The scene's own projection is gone after the frame: the window's is back.
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[5], 1 / 0.41421356, 1e-4);  // cot(22.5 degrees)
  EXPECT_NEAR(projection[0], projection[5] * kH / kW, 1e-4);
}

TEST_F(DesertDunesPixels, WithTheGeneratedDataALyricLineIsVisibleOnlyInsideItsSpan) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  // The same frame with the real lyric picture and with a transparent one.
  auto lyricPixels = [&](int now) {
    Frame(now, kSecondStart);
    return ReadFrame();
  };
  const std::vector<unsigned char> withLyricMiddle = lyricPixels(29750);
  const std::vector<unsigned char> withLyricBound = lyricPixels(27000);
  PaintFlat(bank.entries[Slot::lyrics_desert], {0, 0, 0, 0});
  PaintFlat(bank.entries[Slot::lyrics_whats], {0, 0, 0, 0});
  const std::vector<unsigned char> withoutMiddle = lyricPixels(29750);
  const std::vector<unsigned char> withoutBound = lyricPixels(27000);
  EXPECT_GT(Differing(withLyricMiddle, withoutMiddle), 200);  // the line's letters
  EXPECT_EQ(withLyricBound, withoutBound);
}
