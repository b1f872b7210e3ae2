#include <gtest/gtest.h>

#include <cstdint>

#include "effects/FlickeringLampEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

using FlickeringLampPixels = SpriteScenePixelTest<FlickeringLampEffect, EffectId::flickeringLamp>;

// A seed whose next value makes the flicker scale 0.60.
std::uint32_t SmallestFlickerSeed() {
  for (std::uint32_t seed = 1;; ++seed)
    if ((((seed * 214013u + 2531011u) >> 16) & 0x7FFFu) % 50 == 0) return seed;
}

}  // namespace

TEST_F(FlickeringLampPixels, ClearsToWhiteAndLeavesTheStateAsAgreed) {
  EXPECT_TRUE(OnlyClearColourAndStateAsAgreed(5000, {1, 1, 1, 0}));
}

TEST_F(FlickeringLampPixels, LampInTheMiddleRingColumnsAtTheLeftEdge) {
  PaintRow(bank.entries[Slot::lamp01], {texel::red});
  PaintRow(bank.entries[Slot::ring], {texel::green});
  Frame(1);
  EXPECT_TRUE(Near(window.At(320, 240), 255, 0, 0, 2));
  // The far column spans x 1-40, the near one 30-77 at 640 wide; both over the lamp.
  EXPECT_TRUE(AllAre({{15, 240}, {70, 100}}, 0, 255, 0, 2));
  EXPECT_TRUE(Near(window.At(120, 240), 255, 0, 0, 2));
  // The lamp, turned by -20 degrees, ends near x = 613: white clear colour beyond.
  EXPECT_TRUE(Near(window.At(630, 240), 255, 255, 255, 2));
}

TEST_F(FlickeringLampPixels, FlickerShrinksTheLampOnlyInsideTheSlot) {
  PaintRow(bank.entries[Slot::lamp01], {texel::red});
  // At full size the lamp reaches the top of the view; at 0.6 it stops near y = 66.
  Frame(1999);
  EXPECT_TRUE(Near(window.At(320, 40), 255, 0, 0, 2));
  Random::Seed(SmallestFlickerSeed());
  Frame(2000);
  EXPECT_EQ(scene.flickerScale, 0.6f);
  EXPECT_TRUE(Near(window.At(320, 40), 255, 255, 255, 2));
  EXPECT_TRUE(Near(window.At(320, 240), 255, 0, 0, 2));
  Frame(2200);
  EXPECT_TRUE(Near(window.At(320, 40), 255, 0, 0, 2));
}

TEST_F(FlickeringLampPixels, LyricFullAtFiveSecondsAbsentAtTen) {
  PaintRow(bank.entries[Slot::lyrics_hereisalamp], {texel::blue});
  // At x = 5 the line is centred at (2, -2, -10), 8 wide and 2 high: from
  // x = 204 to beyond the right edge, y 298-414.
  Frame(5000);
  EXPECT_TRUE(Near(window.At(440, 356), 0, 0, 255, 2));
  EXPECT_TRUE(Near(window.At(180, 356), 255, 255, 255, 2));
  Frame(10000);
  EXPECT_TRUE(Near(window.At(440, 356), 255, 255, 255, 2));
}
