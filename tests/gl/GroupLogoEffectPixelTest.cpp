#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/GroupLogoEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

class GroupLogoPixels : public ScenePixelTest<GroupLogoEffect, EffectId::groupLogo> {
 protected:
  GroupLogoPixels() { overMagenta = true; }

  // The logo blue, the Latin name red, the Arabic one green.
  void PaintKnown() {
    PaintFlat(bank, {{Slot::vqLogo, texel::blue}, {Slot::vantelquorix, texel::red},
                     {Slot::vantelquorix_arabic, texel::green}});
  }

  // At depth 3 the view is +-1.2426 high: the logo spans y -1..1, the names
  // (0.8 lower) y -1.8..0.2.
  static constexpr int kLogoOnlyY = 100, kBothY = 300, kNamesOnlyY = 460;
};

}  // namespace

TEST_F(GroupLogoPixels, BlackBackgroundLogoAboveAndNamesShiftedDown) {
  PaintKnown();
  Frame(100);  // x = 0.1: Latin alpha -0.4 (nothing), Arabic alpha 1.4 (opaque)
  EXPECT_TRUE(AllAre({{5, 5}, {60, kBothY}}, 0, 0, 0, 4));  // the corner and beside the unit quads
  EXPECT_TRUE(Near(window.At(kW / 2, kLogoOnlyY), 0, 0, 255, 4));
  EXPECT_TRUE(AllAre({{kW / 2, kBothY}, {kW / 2, kNamesOnlyY}}, 0, 255, 0, 4));
}

TEST_F(GroupLogoPixels, CrossFadeDrawsTheLatinNameFirst) {
  PaintKnown();
  Frame(1000);  // both names at alpha 0.5: blue, then half red, then half green
  EXPECT_TRUE(Near(window.At(kW / 2, kBothY), 64, 128, 64, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kNamesOnlyY), 64, 128, 0, 4));
  EXPECT_TRUE(Near(window.At(kW / 2, kLogoOnlyY), 0, 0, 255, 4));
  Frame(2900);  // Latin alone
  EXPECT_TRUE(AllAre({{kW / 2, kBothY}, {kW / 2, kNamesOnlyY}}, 255, 0, 0, 4));
}

TEST_F(GroupLogoPixels, WithTheGeneratedDataOnlyTheLatinNameShowsAtTheEnd) {
  if (!window.dataFound) GTEST_SKIP() << "generated data folder not there";
  EXPECT_EQ(ChangedWithout({Slot::vantelquorix_arabic}, 2900), 0);  // the Arabic name's alpha is below 0
  EXPECT_GT(ChangedWithout({Slot::vantelquorix}, 2900), 200);
}
