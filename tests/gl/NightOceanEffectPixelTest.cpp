#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/NightOceanEffect.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::nightOcean);

class NightOceanPixels : public ScenePixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ocean.Init();
  }

  // As the timeline draws it: whatever colour is in the buffer, the letterbox's matrix current.
  void Frame(int now, float phase = 0.0f) {
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    LetterboxMatrix();
    ocean.phase = phase;
    ocean.Render(now, kStart);
  }

  static int Column(float x) { return ColumnAt(x, 10, kW, kH); }
  static int Row(float y) { return RowAt(y, 10, kH); }

  NightOceanEffect ocean{&bank};
};

}  // namespace

TEST_F(NightOceanPixels, BlackAboveTheSkyPanelAndUnlitSkyBelow) {
  PaintFlat(bank.entries[Slot::skynight], {0, 0, 200, 255});
  Frame(38000);
  // The panel's top edge (y 24 at depth about 70.5) is below the top of the view.
  EXPECT_TRUE(Near(window.At(kW / 2, 5), 0, 0, 0, 4));
  // The sky is drawn unlit: exactly its texture colour.
  EXPECT_TRUE(Near(window.At(kW / 2, 80), 0, 0, 200, 4));
}

TEST_F(NightOceanPixels, LitSurfaceInTheLowerHalf) {
  PaintFlat(bank.entries[Slot::water], {255, 255, 255, 255});
  PaintFlat(bank.entries[Slot::lyrics_ocean], {0, 0, 0, 0});
  Frame(38000);
  const GLTestWindow::Pixel p = window.At(kW / 2, kH - 20);
  // Lit grey: neither the clear colour nor the unlit white of the texture.
  EXPECT_GT(p.r, 60);
  EXPECT_LT(p.r, 250);
  EXPECT_EQ(p.r, p.g);
  EXPECT_EQ(p.g, p.b);
}

TEST_F(NightOceanPixels, LyricLineDriftsLeftOverTheSurface) {
  PaintFlat(bank.entries[Slot::lyrics_ocean], {255, 0, 255, 255});
  Frame(32501);  // u = 0: centred at x = 1
  EXPECT_TRUE(Near(window.At(Column(1.0f), Row(-2)), 255, 0, 255, 4));
  EXPECT_TRUE(Near(window.At(Column(4.8f), Row(-2)), 255, 0, 255, 4));
  EXPECT_FALSE(Near(window.At(Column(-3.2f), Row(-2)), 255, 0, 255, 40));
  Frame(43499);  // u = 5.5: centred at x = -0.1
  EXPECT_TRUE(Near(window.At(Column(-3.9f), Row(-2)), 255, 0, 255, 4));
  EXPECT_FALSE(Near(window.At(Column(4.1f), Row(-2)), 255, 0, 255, 40));
}

TEST_F(NightOceanPixels, WithTheGeneratedDataTheLyricIsVisible) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  Frame(38000);
  const std::vector<unsigned char> real = ReadFrame();
  PaintFlat(bank.entries[Slot::lyrics_ocean], {0, 0, 0, 0});
  Frame(38000);
  const std::vector<unsigned char> without = ReadFrame();
  EXPECT_GT(Differing(real, without), 200);
}
