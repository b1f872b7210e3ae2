#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/NightOceanEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

// As the timeline draws it: over whatever colour is in the buffer, the phase 0.
class NightOceanPixels : public TerrainScenePixelTest<NightOceanEffect, EffectId::nightOcean> {
 protected:
  NightOceanPixels() { overMagenta = true; }
};

}  // namespace

TEST_F(NightOceanPixels, BlackAboveTheSkyPanelAndUnlitSkyBelow) {
  PaintFlat(bank.entries[Slot::skynight], {0, 0, 200, 255});
  Frame(5500);
  // The panel's top edge (y 24 at depth about 70.5) is below the top of the view.
  EXPECT_TRUE(Near(window.At(kW / 2, 5), 0, 0, 0, 4));
  // The sky is drawn unlit: exactly its texture colour.
  EXPECT_TRUE(Near(window.At(kW / 2, 80), 0, 0, 200, 4));
}

TEST_F(NightOceanPixels, LitSurfaceInTheLowerHalf) {
  PaintFlat(bank, {{Slot::water, texel::white}, {Slot::lyrics_ocean, texel::clear}});
  Frame(5500);
  const GLTestWindow::Pixel p = window.At(kW / 2, kH - 20);
  // Lit grey: neither the clear colour nor the unlit white of the texture.
  EXPECT_GT(p.r, 60);
  EXPECT_LT(p.r, 250);
  EXPECT_EQ(p.r, p.g);
  EXPECT_EQ(p.g, p.b);
}

TEST_F(NightOceanPixels, LyricLineDriftsLeftOverTheSurface) {
  PaintFlat(bank.entries[Slot::lyrics_ocean], texel::magenta);
  Frame(1);  // u = 0: centred at x = 1
  EXPECT_TRUE(AllAre({{Column(1.0f), Row(-2)}, {Column(4.8f), Row(-2)}}, 255, 0, 255, 4));
  EXPECT_FALSE(Near(window.At(Column(-3.2f), Row(-2)), 255, 0, 255, 40));
  Frame(10999);  // u = 5.5: centred at x = -0.1
  EXPECT_TRUE(Near(window.At(Column(-3.9f), Row(-2)), 255, 0, 255, 4));
  EXPECT_FALSE(Near(window.At(Column(4.1f), Row(-2)), 255, 0, 255, 40));
}

TEST_F(NightOceanPixels, WithTheGeneratedDataTheLyricIsVisible) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  EXPECT_GT(ChangedWithout({Slot::lyrics_ocean}, 5500), 200);
}
