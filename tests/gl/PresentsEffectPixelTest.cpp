#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/PresentsEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

class PresentsPixels : public ScenePixelTest<PresentsEffect, EffectId::presentsCaption> {
 protected:
  PresentsPixels() { overMagenta = true; }

  // The Latin caption red, the Arabic one green.
  void PaintKnown() { PaintFlat(bank, {{Slot::presents, texel::red}, {Slot::presents_arabic, texel::green}}); }
};

}  // namespace

TEST_F(PresentsPixels, CentredUnitQuadOnBlack) {
  PaintKnown();
  Frame(200);  // Arabic alone
  // Depth 3: the quad spans y -1..1 of a +-1.2426 view, no downward shift.
  EXPECT_TRUE(AllAre({{kW / 2, kH / 2}, {kW / 2, 60}, {kW / 2, 420}}, 0, 255, 0, 4));
  EXPECT_TRUE(AllAre({{5, 5}, {kW / 2, 460}, {kW / 2, 20}}, 0, 0, 0, 4));
}

TEST_F(PresentsPixels, CrossFadeArabicOverLatin) {
  PaintKnown();
  Frame(1000);  // black, half red, half green
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 64, 128, 0, 4));
  Frame(1500);  // Latin at 1, Arabic at 0
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 255, 0, 0, 4));
  Frame(2999);  // alphas beyond [0, 1] are clamped by OpenGL
  EXPECT_TRUE(Near(window.At(kW / 2, kH / 2), 255, 0, 0, 4));
}

TEST_F(PresentsPixels, WithTheGeneratedDataTheArabicCaptionAloneAtTheStart) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  EXPECT_EQ(ChangedWithout({Slot::presents}, 300), 0);  // the Latin caption's alpha is below 0
  EXPECT_GT(ChangedWithout({Slot::presents_arabic}, 300), 200);
}
