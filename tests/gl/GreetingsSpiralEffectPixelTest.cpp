#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/GreetingsSpiralEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

bool IsBlack(GLTestWindow::Pixel p) { return p.r == 0 && p.g == 0 && p.b == 0; }
bool IsRing(GLTestWindow::Pixel p) { return p.r <= 2 && p.g <= 2 && p.b >= 250; }

class GreetingsSpiralPixels : public ScenePixelTest<GreetingsSpiralEffect, EffectId::greetingsSpiral> {
 protected:
  void Paint() override {
    PaintFlat(bank, {{Slot::background05, texel::red}, {Slot::ring02, texel::blue}, {Slot::greets01, texel::green},
                     {Slot::greets02, texel::green}, {Slot::line01, texel::green}});
  }
};

}  // namespace

TEST_F(GreetingsSpiralPixels, BlackWhereNothingIsDrawn) {
  for (int elapsed : {500, 12000}) {
    Frame(elapsed);
    EXPECT_TRUE(AllAre({{320, 2}, {320, 477}}, IsBlack)) << elapsed;
  }
}

TEST_F(GreetingsSpiralPixels, BackgroundDimsFrameByFrameInsideASlot) {
  // (320, 420) shows only the background in these frames.
  Frame(1199);
  EXPECT_GE(window.At(320, 420).r, 254);
  const int times[] = {1200, 1216, 1233, 1250};
  for (int k = 0; k < 4; ++k) {
    Frame(times[k]);
    auto p = window.At(320, 420);
    EXPECT_NEAR(p.r, 255 * (1 - 0.01 * (k + 1)), 1.5) << times[k];
    EXPECT_EQ(p.g, 0);
  }
}

TEST_F(GreetingsSpiralPixels, RingColumnsMoveWithTheShift) {
  Frame(500);  // shift 0: the inner column ends left of x = 100
  EXPECT_TRUE(IsRing(window.At(60, 2)));
  EXPECT_TRUE(IsBlack(window.At(100, 2)));
  Frame(12000);  // shift -4: both columns come 4 units to the right and nearer
  EXPECT_TRUE(IsRing(window.At(100, 2)));
  EXPECT_TRUE(IsBlack(window.At(20, 2)));
}
