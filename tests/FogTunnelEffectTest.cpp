#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/FogTunnelEffect.h"
#include "services/Random.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kStart = 113000;

class FogTunnel : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    tunnel.Init();
    GLRecorder::Clear();
  }
  // Renders one frame at `elapsed` ms into the scene with a fresh recording.
  void Frame(int elapsed) {
    GLRecorder::Clear();
    tunnel.Render(kStart + elapsed, kStart);
  }
  unsigned Id(int slot) { return bank.entries[slot]->Id(); }
  // The vertices and texture coordinates of the n-th glBegin/glEnd block.
  struct Block {
    double mode = -1;
    std::vector<GLCall> vertices, texCoords;
  };
  Block NthBlock(int n) {
    Block b;
    int i = -1;
    for (int k = 0; k <= n; ++k) i = GLRecorder::Find("glBegin", i + 1);
    if (i < 0) return b;
    const auto& calls = GLRecorder::Calls();
    b.mode = calls[i].args[0];
    for (++i; calls[i].name != "glEnd"; ++i) {
      if (calls[i].name == "glVertex3f") b.vertices.push_back(calls[i]);
      if (calls[i].name == "glTexCoord2f") b.texCoords.push_back(calls[i]);
    }
    return b;
  }
  int Strips() {
    int n = 0;
    for (const GLCall& c : GLRecorder::Named("glBegin")) n += c.args[0] == GL_QUAD_STRIP;
    return n;
  }
  bool Bound(int slot) {
    for (const GLCall& c : GLRecorder::Named("glBindTexture"))
      if (c.args[1] == Id(slot)) return true;
    return false;
  }
  // Alpha of the colour set right before the texture of `slot` is bound.
  double AlphaBefore(int slot) {
    double alpha = -100;
    for (const GLCall& c : GLRecorder::Calls()) {
      if (c.name == "glColor4f") alpha = c.args[3];
      if (c.name == "glBindTexture" && c.args[1] == Id(slot)) return alpha;
    }
    return -100;
  }

  RecordingBoxes boxes;  // the pictures are missing here
  TextureBank bank;
  FogTunnelEffect tunnel{&bank};
};

}  // namespace

TEST_F(FogTunnel, InitLoadsItsTexturesInOrderAndSetsPi) {
  EXPECT_FLOAT_EQ(tunnel.pi, 3.14159274f);
  ASSERT_TRUE(bank.entries[Slot::tunnel]->Loaded());
  EXPECT_LT(Id(Slot::tunnel), Id(Slot::lyrics_death));
  EXPECT_LT(Id(Slot::lyrics_death), Id(Slot::lyrics_light));
  EXPECT_EQ(boxes.boxes.size(), 3u);  // one report per missing picture
}

TEST_F(FogTunnel, ElevenRingsOf4PiEachUpToJustBelow40Pi) {
  Frame(500);
  ASSERT_EQ(Strips(), 11);
  const double pi = 3.14159274;
  for (int k = 0; k < 11; ++k) {
    Block b = NthBlock(k);
    ASSERT_EQ(b.mode, GL_QUAD_STRIP);
    ASSERT_EQ(b.vertices.size(), 40u);
    const double z0 = b.vertices[0].args[2], z1 = b.vertices[1].args[2];
    EXPECT_NEAR(z0, 4 * pi * k, 1e-4) << k;
    EXPECT_NEAR(z1 - z0, 4 * pi, 1e-4) << k;
  }
  EXPECT_LT(NthBlock(10).vertices[0].args[2], 40 * pi);
}

TEST_F(FogTunnel, StripPairsRunPastTheFullCircleWithOddTexturesAtTheLeftEdge) {
  Frame(2500);
  Block b = NthBlock(3);
  ASSERT_EQ(b.vertices.size(), 40u);
  ASSERT_EQ(b.texCoords.size(), 40u);
  const double pi = 3.14159274;
  const double z0 = b.vertices[0].args[2], z1 = b.vertices[1].args[2];
  for (int j = 0; j < 20; ++j) {
    const double a = j * pi / 8;
    const GLCall& near = b.vertices[2 * j];
    const GLCall& far = b.vertices[2 * j + 1];
    EXPECT_NEAR(near.args[0], std::cos(a), 1e-5) << j;
    EXPECT_NEAR(near.args[1], 0.5 * std::sin(a), 1e-5) << j;
    EXPECT_EQ(near.args[2], z0) << j;
    EXPECT_EQ(far.args[0], near.args[0]) << j;
    EXPECT_EQ(far.args[1], near.args[1]) << j;
    EXPECT_EQ(far.args[2], z1) << j;
    const double s = (j % 2 == 0) ? a / 16 : 0.0;
    EXPECT_NEAR(b.texCoords[2 * j].args[0], s, 1e-6) << j;
    EXPECT_EQ(b.texCoords[2 * j].args[1], 1.0) << j;
    EXPECT_NEAR(b.texCoords[2 * j + 1].args[0], s, 1e-6) << j;
    EXPECT_EQ(b.texCoords[2 * j + 1].args[1], 0.0) << j;
  }
  EXPECT_NEAR(b.texCoords[36].args[0], 18 * pi / 128, 1e-6);  // last even pair
}

TEST_F(FogTunnel, TunnelMovesFiveUnitsPerSecondTowardTheViewer) {
  Frame(4000);
  auto t = GLRecorder::Named("glTranslatef");
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t[0].args[0], 0.0);
  EXPECT_NEAR(t[0].args[1], 0.4, 1e-6);
  EXPECT_NEAR(t[0].args[2], 5 * 4.0 - 130, 1e-4);
}

TEST_F(FogTunnel, OneRandomDrawPerFrameOnlyInsideTheShakeSlots) {
  const int quiet[] = {1, 500, 999, 1000, 1199, 1350, 3799, 3950, 6499, 6650, 9099, 9250, 9999};
  for (int e : quiet) {
    Random::srand(12345);
    Frame(e);
    EXPECT_EQ(Random::State(), 12345u) << e;
    EXPECT_EQ(tunnel.jitter, 0.0f) << e;
    EXPECT_NEAR(NthBlock(0).vertices[0].args[1], 0.0, 1e-7) << e;
  }
  const int shaking[] = {1200, 1349, 3800, 3949, 6500, 6649, 9100, 9249};
  for (int e : shaking) {
    Random::srand(777 + e);
    const int value = Random::rand();
    const std::uint32_t after = Random::State();
    Random::srand(777 + e);
    Frame(e);
    EXPECT_EQ(Random::State(), after) << e;
    EXPECT_FLOAT_EQ(tunnel.jitter, (value % 50) / 100.0f) << e;
    // Every vertex of the tunnel sinks by the jitter.
    Block b = NthBlock(5);
    EXPECT_NEAR(b.vertices[0].args[1], -tunnel.jitter, 1e-6) << e;
    EXPECT_NEAR(b.vertices[8].args[1], 0.5 - tunnel.jitter, 1e-6) << e;  // j = 4: a = pi/2
  }
}

TEST_F(FogTunnel, ShakeDrawsTheSharedGeneratorFrameByFrame) {
  Random::srand(1);  // 41, 18467, 6334 follow
  Frame(1200);
  EXPECT_FLOAT_EQ(tunnel.jitter, 0.41f);
  Frame(1216);
  EXPECT_FLOAT_EQ(tunnel.jitter, 0.17f);
  Frame(1400);
  EXPECT_EQ(tunnel.jitter, 0.0f);
  Frame(3800);
  EXPECT_FLOAT_EQ(tunnel.jitter, 0.34f);
}

TEST_F(FogTunnel, LinearWhiteFogIsSetInOrderEveryFrameAndOffForTheLyrics) {
  for (int e : {100, 100, 7000}) {
    Frame(e);
    std::vector<std::string> fog;
    const auto& calls = GLRecorder::Calls();
    int firstBegin = GLRecorder::Find("glBegin");
    int fogEnable = -1, fogDisable = -1;
    for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
      const GLCall& c = calls[i];
      if (c.name == "glFogi" || c.name == "glFogf" || c.name == "glFogfv" || c.name == "glHint")
        fog.push_back(c.name + std::to_string(static_cast<int>(c.args[0])) + "=" + std::to_string(c.args[1]));
      if (c.name == "glEnable" && c.args[0] == GL_FOG) fogEnable = i;
      if (c.name == "glDisable" && c.args[0] == GL_FOG) fogDisable = i;
    }
    const std::vector<std::string> expected = {
        "glFogi" + std::to_string(GL_FOG_MODE) + "=" + std::to_string(double(GL_LINEAR)),
        "glFogfv" + std::to_string(GL_FOG_COLOR) + "=" + std::to_string(1.0),
        "glFogf" + std::to_string(GL_FOG_DENSITY) + "=" + std::to_string(1.0),
        "glHint" + std::to_string(GL_FOG_HINT) + "=" + std::to_string(double(GL_DONT_CARE)),
        "glFogf" + std::to_string(GL_FOG_START) + "=" + std::to_string(5.0),
        "glFogf" + std::to_string(GL_FOG_END) + "=" + std::to_string(110.0)};
    EXPECT_EQ(fog, expected) << e;
    auto colour = GLRecorder::Named("glFogfv");
    ASSERT_EQ(colour.size(), 1u);
    EXPECT_EQ(colour[0].args, (std::vector<double>{double(GL_FOG_COLOR), 1, 1, 1, 1}));
    ASSERT_GE(fogEnable, 0);
    EXPECT_LT(fogEnable, firstBegin);
    // Fog goes off after the last ring and before the first lyric line.
    int lastStripEnd = -1;
    for (int i = 0, n = 0; i < static_cast<int>(calls.size()); ++i) {
      if (calls[i].name == "glEnd" && ++n == 11) lastStripEnd = i;
    }
    EXPECT_GT(fogDisable, lastStripEnd);
    EXPECT_LT(fogDisable, GLRecorder::Find("glBegin", lastStripEnd));
  }
}

TEST_F(FogTunnel, CallStreamOfOneFrame) {
  Frame(7500);
  std::vector<std::string> stream;
  for (const GLCall& c : GLRecorder::Calls()) {
    if (c.name == "glVertex3f" || c.name == "glTexCoord2f") continue;
    if (c.name == "glFogi" || c.name == "glFogf" || c.name == "glFogfv" || c.name == "glHint") continue;
    std::string line = c.name;
    for (double a : c.args) line += " " + std::to_string(a);
    stream.push_back(line);
  }
  auto S = [](std::string name, std::vector<double> args) {
    for (double a : args) name += " " + std::to_string(a);
    return name;
  };
  std::vector<std::string> expected = {
      S("glClearColor", {1, 1, 1, 0}),
      S("glClear", {double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)}),
      S("glEnable", {double(GL_FOG)}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {0, 0.4f, 5 * 7.5f - 130}),
      S("glColor4f", {1, 1, 1, 1}),
      S("glEnable", {double(GL_TEXTURE_2D)}),
      S("glEnable", {double(GL_BLEND)}),
      S("glDisable", {double(GL_DEPTH_TEST)}),
      S("glDisable", {double(GL_LIGHTING)}),
      S("glBlendFunc", {double(GL_SRC_ALPHA), double(GL_ONE_MINUS_SRC_ALPHA)}),
      S("glBindTexture", {double(GL_TEXTURE_2D), double(Id(Slot::tunnel))})};
  for (int k = 0; k < 11; ++k) {
    expected.push_back(S("glBegin", {double(GL_QUAD_STRIP)}));
    expected.push_back(S("glEnd", {}));
  }
  const float pi = 3.14159274f, s = 7.5f;
  expected.insert(expected.end(), {
      S("glDisable", {double(GL_FOG)}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {s / 5 - 1, -1, -10}),
      S("glColor4f", {1, 1, 1, static_cast<float>(std::sin(double(pi * s / 6.0f)))}),
      S("glBindTexture", {double(GL_TEXTURE_2D), double(Id(Slot::lyrics_light))}),
      S("glBegin", {double(GL_QUADS)}),
      S("glEnd", {}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {1 - s / 5, -2, -10}),
      S("glColor4f", {1, 1, 1, static_cast<float>(std::sin(double(pi * (s - 5) / 5.0f)))}),
      S("glBindTexture", {double(GL_TEXTURE_2D), double(Id(Slot::lyrics_death))}),
      S("glBegin", {double(GL_QUADS)}),
      S("glEnd", {}),
      S("glDisable", {double(GL_TEXTURE_2D)}),
      S("glDisable", {double(GL_BLEND)}),
      S("glEnable", {double(GL_DEPTH_TEST)})});
  EXPECT_EQ(stream, expected);
}

TEST_F(FogTunnel, LyricQuadIsTheUprightEightByTwoPicture) {
  Frame(3000);
  Block quad = NthBlock(11);
  ASSERT_EQ(quad.mode, GL_QUADS);
  ASSERT_EQ(quad.vertices.size(), 4u);
  const std::vector<std::vector<double>> pos = {{4, -1, 0}, {4, 1, 0}, {-4, 1, 0}, {-4, -1, 0}};
  const std::vector<std::vector<double>> tex = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(quad.vertices[k].args, pos[k]) << k;
    EXPECT_EQ(quad.texCoords[k].args, tex[k]) << k;
  }
}

TEST_F(FogTunnel, SecondLyricOnlyStrictlyInsideFiveToTenSeconds) {
  Frame(5000);
  EXPECT_FALSE(Bound(Slot::lyrics_death));
  EXPECT_TRUE(Bound(Slot::lyrics_light));
  Frame(5001);
  ASSERT_TRUE(Bound(Slot::lyrics_death));
  EXPECT_GT(AlphaBefore(Slot::lyrics_death), 0.0);
  EXPECT_LT(AlphaBefore(Slot::lyrics_death), 0.001);
  Frame(9999);
  EXPECT_TRUE(Bound(Slot::lyrics_death));
  Frame(4999);
  EXPECT_FALSE(Bound(Slot::lyrics_death));
}

TEST_F(FogTunnel, FirstLyricAlphaIsAHalfSineLeftUnclamped) {
  Frame(3000);
  EXPECT_NEAR(AlphaBefore(Slot::lyrics_light), 1.0, 1e-6);
  Frame(1);
  EXPECT_NEAR(AlphaBefore(Slot::lyrics_light), std::sin(3.14159274 * 0.001 / 6), 1e-7);
  Frame(9000);  // past 6 s the sine is negative and goes out as it is
  EXPECT_NEAR(AlphaBefore(Slot::lyrics_light), std::sin(3.14159274 * 1.5), 1e-6);
}

TEST_F(FogTunnel, LeavesTexturingBlendingLightingAndFogOffDepthOn) {
  Frame(8000);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
