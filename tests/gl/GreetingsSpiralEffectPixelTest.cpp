#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/GreetingsSpiralEffect.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

bool IsBlack(GLTestWindow::Pixel p) { return p.r == 0 && p.g == 0 && p.b == 0; }
bool IsRing(GLTestWindow::Pixel p) { return p.r <= 2 && p.g <= 2 && p.b >= 250; }

class GreetingsSpiralPixels : public ScenePixels<GreetingsSpiralEffect, EffectId::greetingsSpiral> {
 protected:
  void Paint() override {
    PaintFlat(bank.entries[Slot::background05], {255, 0, 0, 255});
    PaintFlat(bank.entries[Slot::ring02], {0, 0, 255, 255});
    PaintFlat(bank.entries[Slot::greets01], {0, 255, 0, 255});
    PaintFlat(bank.entries[Slot::greets02], {0, 255, 0, 255});
    PaintFlat(bank.entries[Slot::line01], {0, 255, 0, 255});
  }
  GreetingsSpiralEffect& spiral = scene;
};

}  // namespace

TEST_F(GreetingsSpiralPixels, BlackWhereNothingIsDrawn) {
  Frame(500);
  EXPECT_TRUE(IsBlack(window.At(320, 2)));
  EXPECT_TRUE(IsBlack(window.At(320, 477)));
  Frame(12000);
  EXPECT_TRUE(IsBlack(window.At(320, 2)));
  EXPECT_TRUE(IsBlack(window.At(320, 477)));
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
