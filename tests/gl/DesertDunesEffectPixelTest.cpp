#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "effects/DesertDunesEffect.h"
#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kSecondStart = 15750;

::testing::AssertionResult Near(GLTestWindow::Pixel p, int r, int g, int b, int tolerance = 4) {
  if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
    return ::testing::AssertionSuccess() << "pixel " << p.r << " " << p.g << " " << p.b;
  return ::testing::AssertionFailure() << "pixel " << p.r << " " << p.g << " " << p.b;
}

class DesertDunesPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok);
    dunes.Init();
  }

  // Gives a texture one flat colour. 64 x 64 texels: with GL_CLAMP the black
  // border bleeds in only within half a texel of the edges.
  void Paint(int slot, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    std::vector<unsigned char> texels(64 * 64 * 4);
    for (size_t i = 0; i < texels.size(); i += 4) {
      texels[i] = r;
      texels[i + 1] = g;
      texels[i + 2] = b;
      texels[i + 3] = a;
    }
    glBindTexture(GL_TEXTURE_2D, bank.entries[slot]->Id());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  }

  // One frame as the timeline draws it: the letterbox's matrix is still current.
  void Frame(int now, int start, float phase = 2.0f) {
    glLoadIdentity();
    glTranslatef(0.0f, -1.03f, -0.1f);
    dunes.phase = phase;
    dunes.Render(now, start);
  }

  // Screen pixel of a point at depth 10 under the window's 45-degree projection.
  static int Column(float x) { return static_cast<int>(kW / 2 + x / (10 * 0.41421356f * kW / kH) * kW / 2); }
  static int Row(float y) { return static_cast<int>(kH / 2 - y / (10 * 0.41421356f) * kH / 2); }

  RecordingBoxes boxes;
  GLTestWindow gl{kW, kH};
  TextureBank bank;
  DesertDunesEffect dunes{&bank};
};

}  // namespace

TEST_F(DesertDunesPixels, ClearsToTheDaySkyColourAndBlendsSkyAndTerrain) {
  // Transparent sky and sand: only the clear colour is left, in both windows.
  Paint(Slot::skyday, 255, 255, 255, 0);
  Paint(Slot::sand, 255, 255, 255, 0);
  for (int start : {0, kSecondStart}) {
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Frame(start + 250, start);
    for (auto [x, y] : {std::pair{5, 5}, {kW / 2, kH / 2}, {kW - 5, kH - 5}, {kW / 2, kH - 40}}) {
      const GLTestWindow::Pixel p = gl.At(x, y);
      EXPECT_TRUE(Near(p, 171, 189, 242)) << start << " at " << x << "," << y << ": " << p.r << " " << p.g << " "
                                          << p.b;
    }
  }
}

TEST_F(DesertDunesPixels, OpaqueTerrainCoversTheLowerHalfAndTheSkyTheTop) {
  Paint(Slot::skyday, 0, 0, 255, 255);
  Paint(Slot::sand, 255, 255, 0, 255);
  Frame(16000, kSecondStart);
  // Lit textures: blue only at the top, no blue in the sand near the bottom.
  const GLTestWindow::Pixel top = gl.At(kW / 2, 20), bottom = gl.At(kW / 2, kH - 20);
  EXPECT_GT(top.b, 100);
  EXPECT_EQ(top.r, 0);
  EXPECT_GT(bottom.r, 100);
  EXPECT_EQ(bottom.b, 0);
}

TEST_F(DesertDunesPixels, OverlaysAppearWhereAndWhenTheyAreDue) {
  Paint(Slot::lumivane, 0, 255, 255, 255);
  Paint(Slot::lyrics_whats, 255, 255, 0, 255);
  Paint(Slot::lyrics_desert, 255, 0, 255, 255);
  const int centreX = kW / 2, centreY = kH / 2 - 40;  // above the first lyric line

  Frame(21000, kSecondStart);  // the title at full opacity in the middle
  EXPECT_TRUE(Near(gl.At(centreX, centreY), 0, 255, 255));
  Frame(25000, kSecondStart);  // gone at its end; the first lyric line still there
  EXPECT_FALSE(Near(gl.At(centreX, centreY), 0, 255, 255, 40));

  Frame(23500, kSecondStart);  // u = 3.875: the first line at (1 - u/5, -1, -10), over the title
  EXPECT_TRUE(Near(gl.At(Column(1 - 3.875f / 5), Row(-1)), 255, 255, 0));
  Frame(29750, kSecondStart);  // u = 7: the second line at (u/5 - 1, -2, -10)
  EXPECT_TRUE(Near(gl.At(Column(7.0f / 5 - 1), Row(-2)), 255, 0, 255));
  Frame(27000, kSecondStart);  // neither line at the bound between them
  EXPECT_FALSE(Near(gl.At(Column(1 - 5.625f / 5), Row(-1)), 255, 255, 0, 40));
  EXPECT_FALSE(Near(gl.At(Column(5.625f / 5 - 1), Row(-2)), 255, 0, 255, 40));
}

TEST_F(DesertDunesPixels, FirstWindowMagnifiesTheCentreAndThenZoomsOut) {
  Paint(Slot::skyday, 0, 0, 255, 255);
  Paint(Slot::sand, 255, 255, 0, 255);
  // Almost no field of view: one terrain cell fills the picture, top to bottom.
  Frame(1, 0);
  const GLTestWindow::Pixel top = gl.At(kW / 2, 2), bottom = gl.At(kW / 2, kH - 3);
  EXPECT_GT(top.r, 50);
  EXPECT_EQ(top.b, 0);
  EXPECT_GT(bottom.r, 50);
  // Wide at the end of the window: sky at the top again.
  Frame(8499, 0);
  EXPECT_GT(gl.At(kW / 2, 2).b, 100);
  // The scene's own projection is gone after the frame: the window's is back.
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[5], 1 / 0.41421356, 1e-4);  // cot(22.5 degrees)
  EXPECT_NEAR(projection[0], projection[5] * kH / kW, 1e-4);
}

TEST_F(DesertDunesPixels, WithTheGeneratedDataALyricLineIsVisibleOnlyInsideItsSpan) {
  if (!gl.dataFound) GTEST_SKIP() << "generated data folder not there";
  // The same frame with the real lyric picture and with a transparent one.
  auto lyricPixels = [&](int now) {
    std::vector<unsigned char> frame(kW * kH * 4);
    Frame(now, kSecondStart);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return frame;
  };
  const std::vector<unsigned char> withLyricMiddle = lyricPixels(29750);
  const std::vector<unsigned char> withLyricBound = lyricPixels(27000);
  Paint(Slot::lyrics_desert, 0, 0, 0, 0);
  Paint(Slot::lyrics_whats, 0, 0, 0, 0);
  const std::vector<unsigned char> withoutMiddle = lyricPixels(29750);
  const std::vector<unsigned char> withoutBound = lyricPixels(27000);
  int differing = 0;
  for (size_t i = 0; i < withLyricMiddle.size(); ++i) differing += withLyricMiddle[i] != withoutMiddle[i];
  EXPECT_GT(differing, 200);  // the line's letters
  EXPECT_EQ(withLyricBound, withoutBound);
}
