#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/FogTunnelEffect.h"
#include "services/Random.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

constexpr double kPi = 3.14159274;

class FogTunnel : public SceneTest<FogTunnelEffect, EffectId::fogTunnel> {
 protected:
  // Alpha of the colour in force when `slot` is bound; NaN when it is not bound.
  double AlphaAtBind(int slot) { return AlphaBefore(Id(slot)); }

  FogTunnelEffect& tunnel = scene;
};

}  // namespace

TEST_F(FogTunnel, InitLoadsItsTexturesInOrderAndSetsPi) {
  EXPECT_FLOAT_EQ(tunnel.pi, 3.14159274f);
  EXPECT_TRUE(bank.entries[Slot::tunnel]->Loaded());
  EXPECT_EQ(Id(Slot::lyrics_death), Id(Slot::tunnel) + 1);
  EXPECT_EQ(Id(Slot::lyrics_light), Id(Slot::lyrics_death) + 1);
}

TEST_F(FogTunnel, ElevenRingsOfTwentyPairsEachWithOddPairsAtTheTexturesLeftEdge) {
  Frame(2500);
  std::vector<Primitive> blocks = Primitives();
  ASSERT_EQ(blocks.size(), 11u + 1u);  // rings, then the first lyric line
  for (int k = 0; k < 11; ++k) {
    const Primitive& b = blocks[k];
    ASSERT_EQ(b.mode, GL_QUAD_STRIP);
    ASSERT_EQ(b.vertices.size(), 40u);
    ASSERT_EQ(b.texCoords.size(), 40u);
    const double z0 = b.vertices[0][2], z1 = b.vertices[1][2];
    EXPECT_NEAR(z0, 4 * kPi * k, 1e-4) << k;
    EXPECT_NEAR(z1 - z0, 4 * kPi, 1e-4) << k;
    for (int j = 0; j < 20; ++j) {
      const double a = j * kPi / 8, s = (j % 2 == 0) ? a / 16 : 0.0;
      const auto& near = b.vertices[2 * j];
      const auto& far = b.vertices[2 * j + 1];
      EXPECT_NEAR(near[0], std::cos(a), 1e-5) << k << "," << j;
      EXPECT_NEAR(near[1], 0.5 * std::sin(a), 1e-5) << k << "," << j;
      EXPECT_EQ(near[2], z0);
      EXPECT_EQ(far, (std::vector<double>{near[0], near[1], z1}));
      EXPECT_NEAR(b.texCoords[2 * j][0], s, 1e-6) << k << "," << j;
      EXPECT_EQ(b.texCoords[2 * j][1], 1.0);
      EXPECT_EQ(b.texCoords[2 * j + 1][0], b.texCoords[2 * j][0]);
      EXPECT_EQ(b.texCoords[2 * j + 1][1], 0.0);
    }
  }
  EXPECT_LT(blocks[10].vertices[0][2], 40 * kPi);
  // The lyric quad: 8 x 2, upright.
  EXPECT_EQ(blocks[11].vertices, PictureCorners(4, 1));
  EXPECT_EQ(blocks[11].texCoords, PictureTexCoords());
}

TEST_F(FogTunnel, OneRandomDrawPerFrameOnlyInsideTheShakeSlots) {
  for (int e : {1, 999, 1000, 1199, 1350, 3799, 3950, 6499, 6650, 9099, 9250, 9999}) {
    Random::Seed(12345);
    Frame(e);
    EXPECT_EQ(Random::State(), 12345u) << e;
    EXPECT_EQ(tunnel.jitter, 0.0f) << e;
  }
  for (int e : {1200, 1349, 3800, 3949, 6500, 6649, 9100, 9249}) {
    Random::Seed(777 + e);
    const int value = Random::Next();
    const std::uint32_t after = Random::State();
    Random::Seed(777 + e);
    Frame(e);
    EXPECT_EQ(Random::State(), after) << e;
    EXPECT_FLOAT_EQ(tunnel.jitter, (value % 50) / 100.0f) << e;
    const Primitive ring = Primitives()[5];  // every tunnel vertex sinks by the jitter
    EXPECT_NEAR(ring.vertices[0][1], -tunnel.jitter, 1e-6) << e;
    EXPECT_NEAR(ring.vertices[8][1], 0.5 - tunnel.jitter, 1e-6) << e;
  }
  // Frame after frame from the shared generator: 41, 18467, 6334 from state 1.
  Random::Seed(1);
  const int frames[] = {1200, 1216, 1400, 3800};
  const float jitters[] = {0.41f, 0.17f, 0.0f, 0.34f};
  for (int k = 0; k < 4; ++k) {
    Frame(frames[k]);
    EXPECT_FLOAT_EQ(tunnel.jitter, jitters[k]) << frames[k];
  }
}

TEST_F(FogTunnel, CallStreamOfTwoFramesWithTheFogSetUpEachTime) {
  for (int e : {7500, 7516}) {
    Frame(e);
    const std::vector<std::string> stream = LinesWithoutPoints();
    const float s = e / 1000.0f, pi = 3.14159274f;
    std::vector<GLCall> expected = Joined({
        ClearTo(1, 1, 1),
        {{"glFogi", {GL_FOG_MODE, GL_LINEAR}}, {"glFogfv", {GL_FOG_COLOR, 1, 1, 1, 1}},
         {"glFogf", {GL_FOG_DENSITY, 1}}, {"glHint", {GL_FOG_HINT, GL_DONT_CARE}},
         {"glFogf", {GL_FOG_START, 5}}, {"glFogf", {GL_FOG_END, 110}}, Enable(GL_FOG),
         Identity(), Translate(0, 0.4f, 5 * s - 130), Colour(1, 1, 1, 1),
         Enable(GL_TEXTURE_2D), Enable(GL_BLEND), Disable(GL_DEPTH_TEST), Disable(GL_LIGHTING), BlendAlpha(),
         Bind(Id(Slot::tunnel))}});
    for (int k = 0; k < 11; ++k) expected.insert(expected.end(), {Begin(GL_QUAD_STRIP), End()});
    expected = Joined({expected,
                       {Disable(GL_FOG), Identity(), Translate(s / 5 - 1, -1, -10),
                        Colour(1, 1, 1, static_cast<float>(std::sin(double(pi * s / 6.0f)))),
                        Bind(Id(Slot::lyrics_light)), Begin(GL_QUADS), End(),
                        Identity(), Translate(1 - s / 5, -2, -10),
                        Colour(1, 1, 1, static_cast<float>(std::sin(double(pi * (s - 5) / 5.0f)))),
                        Bind(Id(Slot::lyrics_death)), Begin(GL_QUADS), End()},
                       PictureStateOff()});
    EXPECT_EQ(stream, Lines(expected)) << e;
  }
}

TEST_F(FogTunnel, LyricLinesStrictBoundsAndUnclampedAlphas) {
  Frame(5000);
  EXPECT_TRUE(std::isnan(AlphaAtBind(Slot::lyrics_death)));
  EXPECT_NEAR(AlphaAtBind(Slot::lyrics_light), std::sin(kPi * 5 / 6), 1e-6);
  Frame(5001);
  EXPECT_GT(AlphaAtBind(Slot::lyrics_death), 0.0);
  EXPECT_LT(AlphaAtBind(Slot::lyrics_death), 0.001);
  Frame(9999);
  EXPECT_NEAR(AlphaAtBind(Slot::lyrics_death), std::sin(kPi * 4.999 / 5), 1e-5);
  EXPECT_NEAR(AlphaAtBind(Slot::lyrics_light), std::sin(kPi * 9.999 / 6), 1e-5);  // negative, as it is
  Frame(1);
  EXPECT_NEAR(AlphaAtBind(Slot::lyrics_light), std::sin(kPi * 0.001 / 6), 1e-7);
  EXPECT_TRUE(std::isnan(AlphaAtBind(Slot::lyrics_death)));
}
