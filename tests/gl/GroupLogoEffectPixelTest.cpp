#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/GroupLogoEffect.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::groupLogo);

class GroupLogoPixels : public ScenePixels<GroupLogoEffect, EffectId::groupLogo> {
 protected:
  GroupLogoPixels() { overMagenta = true; }

  // At depth 3 the view is +-1.2426 high: the logo spans y -1..1, the names
  // (0.8 lower) y -1.8..0.2.
  static constexpr int kLogoOnlyY = 100, kBothY = 300, kNamesOnlyY = 460;

  GroupLogoEffect& logo = scene;
};

}  // namespace

TEST_F(GroupLogoPixels, BlackBackgroundLogoAboveAndNamesShiftedDown) {
  PaintFlat(bank.entries[Slot::vqLogo], {0, 0, 255, 255});
  PaintFlat(bank.entries[Slot::vantelquorix], {255, 0, 0, 255});
  PaintFlat(bank.entries[Slot::vantelquorix_arabic], {0, 255, 0, 255});
  Frame(100);  // x = 0.1: Latin alpha -0.4 (nothing), Arabic alpha 1.4 (opaque)
  EXPECT_TRUE(Near(window.At(5, 5), 0, 0, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kLogoOnlyY), 0, 0, 255, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kBothY), 0, 255, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kNamesOnlyY), 0, 255, 0, 4));
  EXPECT_TRUE(Near(window.At(60, kBothY), 0, 0, 0, 4));  // beside the unit quads
}

TEST_F(GroupLogoPixels, CrossFadeDrawsTheLatinNameFirst) {
  PaintFlat(bank.entries[Slot::vqLogo], {0, 0, 255, 255});
  PaintFlat(bank.entries[Slot::vantelquorix], {255, 0, 0, 255});
  PaintFlat(bank.entries[Slot::vantelquorix_arabic], {0, 255, 0, 255});
  Frame(1000);  // both names at alpha 0.5: blue, then half red, then half green
  EXPECT_TRUE(Near(window.At(kW / 2, kBothY), 64, 128, 64, 4)) << window.At(kW / 2, kBothY).r;
  EXPECT_TRUE(Near(window.At(kW / 2, kNamesOnlyY), 64, 128, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kLogoOnlyY), 0, 0, 255, 4));
  Frame(2900);  // Latin alone
  EXPECT_TRUE(Near(window.At(kW / 2, kBothY), 255, 0, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kNamesOnlyY), 255, 0, 0, 4));
}

TEST_F(GroupLogoPixels, WithTheGeneratedDataOnlyTheLatinNameShowsAtTheEnd) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  Frame(2900);
  const std::vector<unsigned char> real = ReadFrame();
  PaintFlat(bank.entries[Slot::vantelquorix_arabic], {0, 0, 0, 0});
  Frame(2900);
  EXPECT_EQ(ReadFrame(), real);  // the Arabic name's alpha is below 0
  PaintFlat(bank.entries[Slot::vantelquorix], {0, 0, 0, 0});
  Frame(2900);
  const std::vector<unsigned char> withoutLatin = ReadFrame();
  EXPECT_GT(Differing(real, withoutLatin), 200);
}
