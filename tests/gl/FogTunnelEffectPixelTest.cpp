#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/FogTunnelEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

class FogTunnelPixels : public ScenePixelTest<FogTunnelEffect, EffectId::fogTunnel> {
 protected:
  void Paint() override {
    PaintFlat(bank, {{Slot::tunnel, texel::red}, {Slot::lyrics_light, texel::blue}, {Slot::lyrics_death, texel::blue}});
  }
};

}  // namespace

TEST_F(FogTunnelPixels, FarEndIsWhiteNearWallIsUnfogged) {
  Frame(7000);
  // Straight ahead the tube runs out beyond the far plane: white clear colour.
  auto far = window.At(320, 236);
  EXPECT_GE(far.r, 250);
  EXPECT_GE(far.g, 250);
  EXPECT_GE(far.b, 250);
  // The wall beside the viewer is closer than the fog start.
  auto near = window.At(2, 240);
  EXPECT_GE(near.r, 250);
  EXPECT_LE(near.g, 10);
  EXPECT_LE(near.b, 10);
}

TEST_F(FogTunnelPixels, FogIsLinearFromFiveToOneHundredTen) {
  Frame(500);
  // Up the middle column the top of the tube (y = 0.9) is seen at distance
  // 0.9 / tan: row 230 at about 55 units, row 200 at about 13.
  EXPECT_NEAR(window.At(320, 230).g, 255 * (1 - (110 - 54.9) / 105), 15);
  EXPECT_NEAR(window.At(320, 200).g, 255 * (1 - (110 - 13.2) / 105), 10);
  EXPECT_GE(window.At(320, 230).r, 250);
}

TEST_F(FogTunnelPixels, ShakeLowersTheTube) {
  Random::Seed(1);  // first value 41: the tube sinks by 0.41
  Frame(1200);
  EXPECT_NEAR(scene.jitter, 0.41f, 1e-6);
  // The top now lies at 0.49: row 230 meets it at about 30 units.
  EXPECT_NEAR(window.At(320, 230).g, 255 * (1 - (110 - 29.9) / 105), 15);
}
