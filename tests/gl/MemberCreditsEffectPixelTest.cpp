#include <gtest/gtest.h>

#include "effects/MemberCreditsEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

// On its own: the scene loads every picture it draws.
using MemberCreditsPixels = SpriteScenePixelTest<MemberCreditsEffect, EffectId::memberCredits>;

}  // namespace

TEST_F(MemberCreditsPixels, ClearsToBlackAndLeavesTheStateAsAgreed) {
  EXPECT_TRUE(OnlyClearColourAndStateAsAgreed(8500, {0, 0, 0, 0}));
}

TEST_F(MemberCreditsPixels, MembersFadeOneAfterTheOther) {
  PaintRow(bank.entries[Slot::pelmar], {texel::red});
  PaintRow(bank.entries[Slot::drevko], {texel::blue});
  Frame(4000);
  EXPECT_TRUE(Near(window.At(320, 240), 0, 0, 0, 2));
  Frame(8500);
  EXPECT_TRUE(Near(window.At(320, 240), 255, 0, 0, 2));
  // Overlap: drevko (alpha sin(0.1 pi) = 0.31) over pelmar (sin(6.5 pi / 7) = 0.22).
  Frame(11500);
  EXPECT_TRUE(Near(window.At(320, 240), 39, 0, 79, 3));
  Frame(13500);
  EXPECT_TRUE(Near(window.At(320, 240), 0, 0, 255, 2));
  Frame(15999);
  EXPECT_TRUE(Near(window.At(320, 240), 0, 0, 0, 2));
}

TEST_F(MemberCreditsPixels, FaintBackgroundLogoAndStrip) {
  PaintRow(bank.entries[Slot::background02], {texel::white});
  Frame(3000);
  EXPECT_TRUE(Near(window.At(5, 5), 5, 5, 5, 1));  // alpha 0.02 on black
  PaintRow(bank.entries[Slot::background02], {texel::clear});
  PaintRow(bank.entries[Slot::vqLogo], {texel::white});
  PaintRow(bank.entries[Slot::le1], {texel::red});
  Frame(10000);
  // The logo spans x up to about 552 at alpha 0.2; the strip lies across
  // y 361-409 at alpha 0.7 over the whole width.
  EXPECT_TRUE(Near(window.At(500, 240), 51, 51, 51, 2));
  EXPECT_TRUE(AllAre({{600, 240}, {600, 340}}, 0, 0, 0, 2));
  EXPECT_TRUE(Near(window.At(600, 385), 179, 0, 0, 2));
}
