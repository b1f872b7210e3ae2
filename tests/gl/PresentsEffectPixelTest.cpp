#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/PresentsEffect.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::presentsCaption);

class PresentsPixels : public ScenePixels<PresentsEffect, EffectId::presentsCaption> {
 protected:
  PresentsPixels() { overMagenta = true; }

  PresentsEffect& caption = scene;
};

}  // namespace

TEST_F(PresentsPixels, CentredUnitQuadOnBlack) {
  PaintFlat(bank.entries[Slot::presents], {255, 0, 0, 255});
  PaintFlat(bank.entries[Slot::presents_arabic], {0, 255, 0, 255});
  Frame(200);  // Arabic alone
  EXPECT_TRUE(Near(window.At(5, 5), 0, 0, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 0, 255, 0, 4));
  // Depth 3: the quad spans y -1..1 of a +-1.2426 view, no downward shift.
  EXPECT_TRUE(Near(window.At(kW / 2, 60), 0, 255, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, 420), 0, 255, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, 460), 0, 0, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, 20), 0, 0, 0, 4));
}

TEST_F(PresentsPixels, CrossFadeArabicOverLatin) {
  PaintFlat(bank.entries[Slot::presents], {255, 0, 0, 255});
  PaintFlat(bank.entries[Slot::presents_arabic], {0, 255, 0, 255});
  Frame(1000);  // black, half red, half green
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 64, 128, 0, 4));
  Frame(1500);  // Latin at 1, Arabic at 0
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 255, 0, 0, 4));
  Frame(2999);  // alphas beyond [0, 1] are clamped by OpenGL
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 255, 0, 0, 4));
}

TEST_F(PresentsPixels, WithTheGeneratedDataTheArabicCaptionAloneAtTheStart) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  Frame(300);
  const std::vector<unsigned char> real = ReadFrame();
  PaintFlat(bank.entries[Slot::presents], {0, 0, 0, 0});
  Frame(300);
  EXPECT_EQ(ReadFrame(), real);  // the Latin caption's alpha is below 0
  PaintFlat(bank.entries[Slot::presents_arabic], {0, 0, 0, 0});
  Frame(300);
  const std::vector<unsigned char> empty = ReadFrame();
  EXPECT_GT(Differing(real, empty), 200);
}
