#include <gtest/gtest.h>

#include "effects/FlickeringLampEffect.h"
#include "effects/WishingLampEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::wishingLamp);

class WishingLampPixels : public ScenePixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    Random::Seed(1);
    first.Init();  // loads circle01, which this scene draws
    lamp.Init();
    PaintAllClear(bank);
  }
  void Frame(int elapsed) { lamp.Render(kStart + elapsed, kStart); }

  FlickeringLampEffect first{&bank};
  WishingLampEffect lamp{&bank};
};

}  // namespace

TEST_F(WishingLampPixels, ClearsToWhiteAndLeavesTheStateAsAgreed) {
  Frame(10999);
  for (int y : {0, 240, 479})
    for (int x : {0, 320, 639}) EXPECT_TRUE(Near(window.At(x, y), 255, 255, 255, 2)) << x << "," << y;
  EXPECT_EQ(ClearColour(), (std::vector<float>{1, 1, 1, 0}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(WishingLampPixels, RingColumnsAtTheRightEdge) {
  PaintRow(bank.entries[Slot::ring], {{0, 255, 0, 255}});
  Frame(3000);
  // Far column x 600-639, near column 563-609 at 640 wide; nothing on the left.
  EXPECT_TRUE(Near(window.At(630, 240), 0, 255, 0, 2));
  EXPECT_TRUE(Near(window.At(570, 400), 0, 255, 0, 2));
  EXPECT_TRUE(Near(window.At(15, 240), 255, 255, 255, 2));
  EXPECT_TRUE(Near(window.At(540, 240), 255, 255, 255, 2));
}

TEST_F(WishingLampPixels, BackgroundTurnsClockwiseAndStillFillsTheView) {
  // Left half red, right half blue; the dividing line starts vertical at x = 320.
  PaintRow(bank.entries[Slot::background01], {{255, 0, 0, 255}, {0, 0, 255, 255}});
  Frame(1);
  EXPECT_TRUE(Near(window.At(335, 100), 0, 0, 255, 2));
  EXPECT_TRUE(Near(window.At(305, 380), 255, 0, 0, 2));
  // After 10.999 s, turned clockwise by 11 degrees: the line crosses y = 100
  // near x = 347 and y = 380 near x = 295.
  Frame(10999);
  EXPECT_TRUE(Near(window.At(335, 100), 255, 0, 0, 2));
  EXPECT_TRUE(Near(window.At(305, 380), 0, 0, 255, 2));
  for (int y : {0, 479})
    for (int x : {0, 639}) EXPECT_FALSE(Near(window.At(x, y), 255, 255, 255, 2)) << x << "," << y;
}
