#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/FogTunnelEffect.h"
#include "services/Random.h"
#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/RecordingBoxes.h"

namespace {

// Gives a slot a solid 64 x 64 picture, so the test does not depend on the data.
void Solid(TextureBank& bank, int slot, unsigned char r, unsigned char g, unsigned char b) {
  std::vector<unsigned char> px(64 * 64 * 4);
  for (std::size_t i = 0; i < px.size(); i += 4) {
    px[i] = r;
    px[i + 1] = g;
    px[i + 2] = b;
    px[i + 3] = 255;
  }
  glBindTexture(GL_TEXTURE_2D, bank.entries[slot]->Id());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
}

class FogTunnelPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    tunnel.Init();
    Solid(bank, Slot::tunnel, 255, 0, 0);
    Solid(bank, Slot::lyrics_light, 0, 0, 255);
    Solid(bank, Slot::lyrics_death, 0, 0, 255);
  }
  void Frame(int elapsed) { tunnel.Render(113000 + elapsed, 113000); }

  RecordingBoxes boxes;
  GLTestWindow window{640, 480};
  TextureBank bank;
  FogTunnelEffect tunnel{&bank};
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
  Random::srand(1);  // first value 41: the tube sinks by 0.41
  Frame(1200);
  EXPECT_NEAR(tunnel.jitter, 0.41f, 1e-6);
  // The top now lies at 0.49: row 230 meets it at about 30 units.
  EXPECT_NEAR(window.At(320, 230).g, 255 * (1 - (110 - 29.9) / 105), 15);
}
