#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/SpaceFlightEffect.h"
#include "services/Random.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

// Random state after seeding with `seed` and drawing `n` values.
std::uint32_t StateAfter(std::uint32_t seed, int n) {
  Random::Seed(seed);
  for (int i = 0; i < n; ++i) Random::Next();
  return Random::State();
}

class SpaceFlight : public SceneTest<SpaceFlightEffect, EffectId::spaceFlight> {};

// Quad corners of a billboard centred at (x, y, z) with edge `size` for the
// given yaw factors, in the drawing order.
void ExpectBillboard(const Primitive& q, double x, double y, double z, double size, double c, double s) {
  const double h = size / 2;
  const double want[4][3] = {{x - h * c, y + h, z - h * s},
                             {x + h * c, y + h, z + h * s},
                             {x + h * c, y - h, z + h * s},
                             {x - h * c, y - h, z - h * s}};
  const double tex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  ASSERT_EQ(q.vertices.size(), 4u);
  ASSERT_EQ(q.texCoords.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    for (int a = 0; a < 3; ++a) EXPECT_NEAR(q.vertices[k][a], want[k][a], 1e-4) << "vertex " << k << " axis " << a;
    EXPECT_EQ(q.texCoords[k][0], tex[k][0]);
    EXPECT_EQ(q.texCoords[k][1], tex[k][1]);
  }
}

}  // namespace

TEST_F(SpaceFlight, InitLoadsTexturesInOrderAndSetsStartValues) {
  const int order[] = {Slot::starfield, Slot::star01,   Slot::star02,   Slot::star03,
                       Slot::planet01,  Slot::planet02, Slot::planet03, Slot::planet04,
                       Slot::le2,       Slot::lyrics_alone, Slot::lyrics_ydi2};
  for (int i = 0; i < 11; ++i) {
    EXPECT_TRUE(bank.entries[order[i]]->Loaded());
    if (i > 0) {
      EXPECT_EQ(bank.entries[order[i]]->Id(), bank.entries[order[i - 1]]->Id() + 1);
    }
  }
  EXPECT_EQ(boxes.boxes.size(), 11u);
  EXPECT_EQ(scene.pi, 3.14159274f);
  EXPECT_EQ(scene.yaw, 0.0f);
  EXPECT_EQ(scene.travel, 0.0f);
  EXPECT_EQ(scene.speed, 0.01f);
}

TEST_F(SpaceFlight, JumpSlotsIncludeLowerAndExcludeUpperBound) {
  const int slots[][2] = {{1000, 1100}, {2400, 2500}, {3800, 3900}, {5100, 5200},
                          {6400, 6500}, {7800, 7900}, {9100, 9200}};
  for (const auto& slot : slots) {
    const int probes[] = {slot[0] - 1, slot[0], slot[1] - 1, slot[1]};
    const float expected[] = {0.002f, 0.1f, 0.1f, 0.002f};
    for (int i = 0; i < 4; ++i) {
      const float before = scene.travel;
      Frame(probes[i]);
      EXPECT_EQ(scene.speed, expected[i]) << "elapsed " << probes[i];
      EXPECT_EQ(scene.travel, before + expected[i]) << "elapsed " << probes[i];
    }
  }
}

TEST_F(SpaceFlight, TravelAndYawGrowPerFrameNotPerMillisecond) {
  Frame(1);
  Frame(2);
  Frame(9000);  // a long gap between frames adds one step, not one per ms
  EXPECT_FLOAT_EQ(scene.travel, 3 * 0.002f);
  EXPECT_FLOAT_EQ(scene.yaw, 3 * 0.02f);
  // A second pass through the window keeps what the first one reached.
  Frame(1000);
  EXPECT_FLOAT_EQ(scene.travel, 3 * 0.002f + 0.1f);
  EXPECT_FLOAT_EQ(scene.yaw, 4 * 0.02f);
}

TEST_F(SpaceFlight, StarCloudIsSeededEveryFrameAndLeavesTheGeneratorAfter9000Draws) {
  const std::uint32_t expected = StateAfter(666, 9000);
  Random::Seed(12345);
  Random::Next();
  Frame(500);
  EXPECT_EQ(Random::State(), expected);

  const std::vector<Primitive> first = Quads();
  ASSERT_EQ(first.size(), 1u + 3000u + 6u + 1u);  // backdrop, stars, planets, side strip
  // After one frame yaw is 0.02: whole degree 0, so the sprites face straight on.
  EXPECT_EQ(scene.yawCos, 1.0f);
  EXPECT_EQ(scene.yawSin, 0.0f);
  ExpectBillboard(first[1], 192, -16, 213, 1.0, 1.0, 0.0);
  ExpectBillboard(first[2], 159, -1, -148, 1.0, 1.0, 0.0);
  ExpectBillboard(first[3], 89, -18, -327, 1.0, 1.0, 0.0);

  // The same travel and yaw draw the same cloud whatever was drawn before.
  const float travel = scene.travel, yaw = scene.yaw;
  for (int i = 0; i < 77; ++i) Random::Next();
  scene.travel = travel - 0.002f;
  scene.yaw = yaw - 0.02f;
  Frame(500);
  ASSERT_EQ(scene.travel, travel);
  ASSERT_EQ(scene.yaw, yaw);
  const std::vector<Primitive> second = Quads();
  ASSERT_EQ(second.size(), first.size());
  for (std::size_t i = 1; i <= 3000; ++i) ASSERT_EQ(second[i].vertices, first[i].vertices) << "star " << i - 1;
  EXPECT_EQ(Random::State(), expected);
}

TEST_F(SpaceFlight, SpritesFaceTheViewerToTheWholeDegreeOfYaw) {
  const float pi = 3.14159274f;
  // yaw becomes 359.99 in the frame: 359 degrees.
  scene.yaw = 359.97f;
  Frame(500);
  ASSERT_LT(scene.yaw, 360.0f);
  const float r359 = 359.0f * pi / 180.0f;
  EXPECT_EQ(scene.yawCos, static_cast<float>(std::cos(static_cast<double>(r359))));
  EXPECT_EQ(scene.yawSin, static_cast<float>(std::sin(static_cast<double>(r359))));
  ExpectBillboard(Quads()[1], 192, -16, 213, 1.0, scene.yawCos, scene.yawSin);
  // The cloud itself turns by the exact yaw.
  const GLCall rotate = GLRecorder::Named("glRotatef").at(0);
  EXPECT_EQ(rotate.args, (std::vector<double>{scene.yaw, 0, 1, 0}));

  // yaw becomes 360.01: the remainder of 360 is 0 degrees.
  scene.yaw = 359.99f;
  Frame(500);
  ASSERT_GT(scene.yaw, 360.0f);
  EXPECT_EQ(scene.yawCos, 1.0f);
  EXPECT_EQ(scene.yawSin, 0.0f);

  // Past a full turn: 725.4 uses 5 degrees.
  scene.yaw = 725.38f;
  Frame(500);
  const float r5 = 5.0f * pi / 180.0f;
  EXPECT_EQ(scene.yawCos, static_cast<float>(std::cos(static_cast<double>(r5))));
  EXPECT_EQ(scene.yawSin, static_cast<float>(std::sin(static_cast<double>(r5))));
}

TEST_F(SpaceFlight, FrameSetsBothProjectionsInOrderAndKeepsTheClearColour) {
  Frame(3000);
  const auto& calls = GLRecorder::Calls();
  EXPECT_EQ(GLRecorder::Count("glClearColor"), 0);
  ASSERT_EQ(GLRecorder::Find("glClear"), 0);
  EXPECT_EQ(calls[0].args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  const std::vector<GLCall> perspectives = GLRecorder::Named("gluPerspective");
  ASSERT_EQ(perspectives.size(), 2u);
  EXPECT_EQ(perspectives[0].args, (std::vector<double>{45.0, 1.0, static_cast<double>(0.1f), 700.0}));
  EXPECT_EQ(perspectives[1].args, (std::vector<double>{45.0, 1.0, static_cast<double>(0.1f), 100.0}));
  for (int from = 0, k = 0; k < 2; ++k) {
    const int p = GLRecorder::Find("gluPerspective", from);
    ASSERT_GE(p, 2);
    EXPECT_EQ(calls[p - 2].name, "glMatrixMode");
    EXPECT_EQ(calls[p - 2].args[0], GL_PROJECTION);
    EXPECT_EQ(calls[p - 1].name, "glLoadIdentity");
    EXPECT_EQ(calls[p + 1].name, "glMatrixMode");
    EXPECT_EQ(calls[p + 1].args[0], GL_MODELVIEW);
    from = p + 1;
  }
  // The far-100 projection comes after the backdrop, the stars and the planets
  // (1 + 3000 + 6 quads) and before the side strip.
  const int second = GLRecorder::Find("gluPerspective", GLRecorder::Find("gluPerspective") + 1);
  int beginsBefore = 0;
  for (int i = 0; i < second; ++i) beginsBefore += calls[i].name == "glBegin";
  EXPECT_EQ(beginsBefore, 3007);

  // It ends with texturing and blending off and the depth test on.
  EXPECT_TRUE(EndsWith(PictureStateOff()));
  EXPECT_EQ(GLRecorder::Named("glMatrixMode").back().args[0], GL_MODELVIEW);
}

TEST_F(SpaceFlight, BackdropAndCloudMoveWithTravel) {
  scene.travel = 2.0f;
  Frame(500);  // travel becomes 2.002
  const std::vector<GLCall> translates = GLRecorder::Named("glTranslatef");
  ASSERT_GE(translates.size(), 2u);
  EXPECT_EQ(translates[0].args, (std::vector<double>{-5.0f * scene.travel, 0, 0}));
  EXPECT_EQ(translates[1].args, (std::vector<double>{0, 0, 20.0f * scene.travel - 100.0f}));

  const Primitive backdrop = Quads()[0];
  const std::vector<std::vector<double>> pos = {
      {400, -300, -400}, {400, 300, -400}, {-200, 300, -400}, {-200, -300, -400}};
  EXPECT_EQ(backdrop.vertices, pos);
  EXPECT_EQ(backdrop.texCoords, PictureTexCoords());
  const GLCall colour = GLRecorder::Named("glColor4f").at(0);
  EXPECT_EQ(colour.args, (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(GLRecorder::Named("glBindTexture").at(0).args[1], bank.entries[Slot::starfield]->Id());
}

TEST_F(SpaceFlight, PlanetsUseTheirTexturesPositionsAndSizes) {
  Frame(500);
  const std::vector<Primitive> quads = Quads();
  struct Row {
    int slot, x, y, z;
    double size;
  };
  const Row rows[] = {{Slot::planet01, -10, 0, -300, 10}, {Slot::planet02, 40, 10, -200, 20},
                      {Slot::planet04, 80, -10, -400, 5}, {Slot::planet03, 0, 30, -500, 10},
                      {Slot::planet02, 10, -60, -580, 5}, {Slot::planet01, -60, -60, -280, 30}};
  const std::vector<GLCall> binds = GLRecorder::Named("glBindTexture");
  ASSERT_EQ(binds.size(), 1u + 1u + 6u + 1u);  // starfield, star01, planets, side strip
  EXPECT_EQ(binds[1].args[1], bank.entries[Slot::star01]->Id());
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(binds[2 + i].args[1], bank.entries[rows[i].slot]->Id()) << "planet " << i;
    ExpectBillboard(quads[3001 + i], rows[i].x, rows[i].y, rows[i].z, rows[i].size, 1.0, 0.0);
  }
  // Each planet is bound right before its own quad.
  const auto& calls = GLRecorder::Calls();
  int bind = GLRecorder::Find("glBindTexture", GLRecorder::Find("glBindTexture", 1) + 1);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(calls[bind + 1].name, "glBegin");
    bind = GLRecorder::Find("glBindTexture", bind + 1);
  }
}

TEST_F(SpaceFlight, SideStripScrollsDown) {
  Frame(800);  // no lyric yet
  const std::vector<GLCall> translates = GLRecorder::Named("glTranslatef");
  ASSERT_EQ(translates.size(), 3u);
  EXPECT_EQ(translates[2].args, (std::vector<double>{8.0, -0.8f / 5.0f, -20.0}));
  EXPECT_EQ(GLRecorder::Named("glBindTexture").back().args[1], bank.entries[Slot::le2]->Id());
}

TEST_F(SpaceFlight, LyricsAppearStrictlyInsideTheirSlots) {
  auto shown = [&](int elapsed, int slot) {
    Frame(elapsed);
    return Binds(bank.entries[slot]->Id()) == 1;
  };
  EXPECT_FALSE(shown(1000, Slot::lyrics_ydi2));
  EXPECT_TRUE(shown(1001, Slot::lyrics_ydi2));
  EXPECT_FALSE(shown(5000, Slot::lyrics_alone));
  EXPECT_TRUE(shown(5000, Slot::lyrics_ydi2));
  EXPECT_TRUE(shown(5001, Slot::lyrics_alone));
  EXPECT_TRUE(shown(5999, Slot::lyrics_ydi2));
  EXPECT_FALSE(shown(6000, Slot::lyrics_ydi2));
  EXPECT_TRUE(shown(6000, Slot::lyrics_alone));
  EXPECT_TRUE(shown(9999, Slot::lyrics_alone));
}

TEST_F(SpaceFlight, LyricsSlideAndFadeWithAHalfSine) {
  Frame(5500);  // both lines: the first near the end of its fade, the second near the start
  const std::vector<GLCall> translates = GLRecorder::Named("glTranslatef");
  ASSERT_EQ(translates.size(), 5u);
  const float s = 5.5f;
  EXPECT_EQ(translates[3].args, (std::vector<double>{2.0f - s / 5.0f, -2, -20}));
  EXPECT_EQ(translates[4].args, (std::vector<double>{2.0f - s / 5.0f, -2, -12}));
  const std::vector<GLCall> colours = GLRecorder::Named("glColor4f");
  const double a1 = std::sin(3.14159274 * (5.5 - 1) / 5), a2 = std::sin(3.14159274 * 0.5 / 5);
  EXPECT_NEAR(colours[colours.size() - 2].args[3], a1, 1e-6);
  EXPECT_NEAR(colours.back().args[3], a2, 1e-6);
}
