#include <gtest/gtest.h>

#include "effects/FlickeringLampEffect.h"
#include "effects/WishingLampEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

class WishingLampPixels : public SpriteScenePixelTest<WishingLampEffect, EffectId::wishingLamp> {
 protected:
  void BeforeInit() override { first.Init(); }  // loads circle01, which this scene draws

  FlickeringLampEffect first{&bank};
};

}  // namespace

TEST_F(WishingLampPixels, ClearsToWhiteAndLeavesTheStateAsAgreed) {
  EXPECT_TRUE(OnlyClearColourAndStateAsAgreed(10999, {1, 1, 1, 0}));
}

TEST_F(WishingLampPixels, RingColumnsAtTheRightEdge) {
  PaintRow(bank.entries[Slot::ring], {texel::green});
  Frame(3000);
  // Far column x 600-639, near column 563-609 at 640 wide; nothing on the left.
  EXPECT_TRUE(AllAre({{630, 240}, {570, 400}}, 0, 255, 0, 2));
  EXPECT_TRUE(AllAre({{15, 240}, {540, 240}}, 255, 255, 255, 2));
}

TEST_F(WishingLampPixels, BackgroundTurnsClockwiseAndStillFillsTheView) {
  // Left half red, right half blue; the dividing line starts vertical at x = 320.
  PaintRow(bank.entries[Slot::background01], {texel::red, texel::blue});
  Frame(1);
  EXPECT_TRUE(Near(window.At(335, 100), 0, 0, 255, 2));
  EXPECT_TRUE(Near(window.At(305, 380), 255, 0, 0, 2));
  // After 10.999 s, turned clockwise by 11 degrees: the line crosses y = 100
  // near x = 347 and y = 380 near x = 295.
  Frame(10999);
  EXPECT_TRUE(Near(window.At(335, 100), 255, 0, 0, 2));
  EXPECT_TRUE(Near(window.At(305, 380), 0, 0, 255, 2));
  EXPECT_TRUE(NoneAre(GridPoints({0, 639}, {0, 479}), 255, 255, 255, 2));
}
