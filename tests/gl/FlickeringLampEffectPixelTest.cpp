#include <gtest/gtest.h>

#include "effects/FlickeringLampEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::flickeringLamp);

class FlickeringLampPixels : public ScenePixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    Random::Seed(1);
    lamp.Init();
    PaintAllClear(bank);
  }
  void Frame(int elapsed) { lamp.Render(kStart + elapsed, kStart); }

  FlickeringLampEffect lamp{&bank};
};

// A seed whose next value makes the flicker scale 0.60.
std::uint32_t SmallestFlickerSeed() {
  for (std::uint32_t seed = 1;; ++seed)
    if ((((seed * 214013u + 2531011u) >> 16) & 0x7FFFu) % 50 == 0) return seed;
}

}  // namespace

TEST_F(FlickeringLampPixels, ClearsToWhiteAndLeavesTheStateAsAgreed) {
  Frame(5000);
  for (int y : {0, 120, 240, 479})
    for (int x : {0, 320, 639}) EXPECT_TRUE(Near(window.At(x, y), 255, 255, 255, 2)) << x << "," << y;
  EXPECT_EQ(ClearColour(), (std::vector<float>{1, 1, 1, 0}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(FlickeringLampPixels, LampInTheMiddleRingColumnsAtTheLeftEdge) {
  PaintRow(bank.entries[Slot::lamp01], {{255, 0, 0, 255}});
  PaintRow(bank.entries[Slot::ring], {{0, 255, 0, 255}});
  Frame(1);
  EXPECT_TRUE(Near(window.At(320, 240), 255, 0, 0, 2));
  // The far column spans x 1-40, the near one 30-77 at 640 wide; both over the lamp.
  EXPECT_TRUE(Near(window.At(15, 240), 0, 255, 0, 2));
  EXPECT_TRUE(Near(window.At(70, 100), 0, 255, 0, 2));
  EXPECT_TRUE(Near(window.At(120, 240), 255, 0, 0, 2));
  // The lamp, turned by -20 degrees, ends near x = 613: white clear colour beyond.
  EXPECT_TRUE(Near(window.At(630, 240), 255, 255, 255, 2));
}

TEST_F(FlickeringLampPixels, FlickerShrinksTheLampOnlyInsideTheSlot) {
  PaintRow(bank.entries[Slot::lamp01], {{255, 0, 0, 255}});
  // At full size the lamp reaches the top of the view; at 0.6 it stops near y = 66.
  Frame(1999);
  EXPECT_TRUE(Near(window.At(320, 40), 255, 0, 0, 2));
  Random::Seed(SmallestFlickerSeed());
  Frame(2000);
  EXPECT_EQ(lamp.flickerScale, 0.6f);
  EXPECT_TRUE(Near(window.At(320, 40), 255, 255, 255, 2));
  EXPECT_TRUE(Near(window.At(320, 240), 255, 0, 0, 2));
  Frame(2200);
  EXPECT_TRUE(Near(window.At(320, 40), 255, 0, 0, 2));
}

TEST_F(FlickeringLampPixels, LyricFullAtFiveSecondsAbsentAtTen) {
  PaintRow(bank.entries[Slot::lyrics_hereisalamp], {{0, 0, 255, 255}});
  // At x = 5 the line is centred at (2, -2, -10), 8 wide and 2 high: from
  // x = 204 to beyond the right edge, y 298-414.
  Frame(5000);
  EXPECT_TRUE(Near(window.At(440, 356), 0, 0, 255, 2));
  EXPECT_TRUE(Near(window.At(180, 356), 255, 255, 255, 2));
  Frame(10000);
  EXPECT_TRUE(Near(window.At(440, 356), 255, 255, 255, 2));
}
