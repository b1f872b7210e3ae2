#include <gtest/gtest.h>

#include "effects/MemberCreditsEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::memberCredits);

class MemberCreditsPixels : public ScenePixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    Random::Seed(1);
    credits.Init();  // on its own: it loads every picture it draws
    PaintAllClear(bank);
  }
  void Frame(int elapsed) { credits.Render(kStart + elapsed, kStart); }

  MemberCreditsEffect credits{&bank};
};

}  // namespace

TEST_F(MemberCreditsPixels, ClearsToBlackAndLeavesTheStateAsAgreed) {
  Frame(8500);
  for (int y : {0, 240, 479})
    for (int x : {0, 320, 639}) EXPECT_TRUE(Near(window.At(x, y), 0, 0, 0, 2)) << x << "," << y;
  EXPECT_EQ(ClearColour(), (std::vector<float>{0, 0, 0, 0}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(MemberCreditsPixels, MembersFadeOneAfterTheOther) {
  PaintRow(bank.entries[Slot::pelmar], {{255, 0, 0, 255}});
  PaintRow(bank.entries[Slot::drevko], {{0, 0, 255, 255}});
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
  PaintRow(bank.entries[Slot::background02], {{255, 255, 255, 255}});
  Frame(3000);
  EXPECT_TRUE(Near(window.At(5, 5), 5, 5, 5, 1));  // alpha 0.02 on black
  PaintRow(bank.entries[Slot::background02], {{0, 0, 0, 0}});
  PaintRow(bank.entries[Slot::vqLogo], {{255, 255, 255, 255}});
  PaintRow(bank.entries[Slot::le1], {{255, 0, 0, 255}});
  Frame(10000);
  // The logo spans x up to about 552 at alpha 0.2; the strip lies across
  // y 361-409 at alpha 0.7 over the whole width.
  EXPECT_TRUE(Near(window.At(500, 240), 51, 51, 51, 2));
  EXPECT_TRUE(Near(window.At(600, 240), 0, 0, 0, 2));
  EXPECT_TRUE(Near(window.At(600, 385), 179, 0, 0, 2));
  EXPECT_TRUE(Near(window.At(600, 340), 0, 0, 0, 2));
}
