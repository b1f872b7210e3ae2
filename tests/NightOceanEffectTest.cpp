#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/NightOceanEffect.h"
#include "services/Random.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kStart = 32500;
constexpr int kCells = 48 * 48;

class NightOcean : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    ocean.Init();
  }

  void Frame(int now) {
    GLRecorder::Clear();
    ocean.Render(now, kStart);
  }

  unsigned Id(int slot) const { return bank.entries[slot]->Id(); }

  static std::vector<int> Begins() {
    std::vector<int> out;
    for (int i = GLRecorder::Find("glBegin"); i >= 0; i = GLRecorder::Find("glBegin", i + 1)) out.push_back(i);
    return out;
  }

  static int FindArg(const std::string& name, double arg0, int from = 0) {
    for (int i = GLRecorder::Find(name, from); i >= 0; i = GLRecorder::Find(name, i + 1))
      if (GLRecorder::Calls()[i].args[0] == arg0) return i;
    return -1;
  }

  static Vec3 AsVec(const GLCall& c) {
    return Vec3{static_cast<float>(c.args[0]), static_cast<float>(c.args[1]), static_cast<float>(c.args[2])};
  }

  // Reference height: sines in double of (integer + float phase), one rounding.
  static float Height(int r, int c, float phase) {
    return static_cast<float>((std::sin(static_cast<double>(static_cast<float>(r) + phase)) +
                               std::sin(static_cast<double>(static_cast<float>(c) + phase))) *
                              static_cast<double>(0.1f));
  }

  RecordingBoxes boxes;
  TextureBank bank;
  NightOceanEffect ocean{&bank};
};

}  // namespace

TEST_F(NightOcean, InitSetsItsValuesAndLoadsThreeTexturesInOrder) {
  TextureBank fresh;
  NightOceanEffect effect{&fresh};
  const std::uint32_t state = Random::State();
  GLRecorder::Clear();
  effect.Init();
  EXPECT_EQ(effect.phase, 0.0f);
  EXPECT_EQ(effect.gridSize, 48);
  EXPECT_EQ(effect.amplitude, 0.1f);
  EXPECT_EQ(effect.phaseStep, 0.01f);
  EXPECT_EQ(Random::State(), state);
  EXPECT_EQ(fresh.entries[Slot::water]->Id(), 1u);
  EXPECT_EQ(fresh.entries[Slot::skynight]->Id(), 2u);
  EXPECT_EQ(fresh.entries[Slot::lyrics_ocean]->Id(), 3u);
  EXPECT_EQ(GLRecorder::Count("glGenTextures"), 3);
}

TEST_F(NightOcean, ClearsToBlackAndSetsLight0BeforeTheModelviewReset) {
  Frame(35000);
  EXPECT_EQ(GLRecorder::Named("glClearColor")[0].args, (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(GLRecorder::Named("glClear")[0].args[0], double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
  const std::vector<GLCall> lights = GLRecorder::Named("glLightfv");
  ASSERT_EQ(lights.size(), 3u);
  EXPECT_EQ(lights[0].args, (std::vector<double>{GL_LIGHT0, GL_AMBIENT, 0.5, 0.5, 0.5, 1}));
  EXPECT_EQ(lights[1].args, (std::vector<double>{GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}));
  EXPECT_EQ(lights[2].args, (std::vector<double>{GL_LIGHT0, GL_POSITION, 0, 10, -10, 1}));
  const int reset = GLRecorder::Find("glLoadIdentity");
  int lastLight = -1;
  for (int i = GLRecorder::Find("glLightfv"); i >= 0; i = GLRecorder::Find("glLightfv", i + 1)) lastLight = i;
  EXPECT_LT(lastLight, reset);
  const int light0 = FindArg("glEnable", GL_LIGHT0);
  EXPECT_GE(light0, 0);
  EXPECT_LT(light0, reset);
  // No projection of its own and no material of its own.
  EXPECT_EQ(GLRecorder::Count("glMatrixMode"), 0);
  EXPECT_EQ(GLRecorder::Count("glMaterialfv"), 0);
}

TEST_F(NightOcean, SkyIsUnlitAndDrawnBeforeTheSurface) {
  Frame(36500);  // u = 2
  const auto& calls = GLRecorder::Calls();
  const std::vector<int> begins = Begins();
  ASSERT_EQ(begins.size(), 2u + kCells);
  const int sky = begins[0];
  EXPECT_GT(FindArg("glEnable", GL_LIGHTING), sky);
  EXPECT_EQ(calls[sky - 1].name, "glNormal3f");
  EXPECT_EQ(calls[sky - 1].args, (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(calls[sky - 2].name, "glBindTexture");
  EXPECT_EQ(calls[sky - 2].args[1], Id(Slot::skynight));
  EXPECT_EQ(calls[sky - 3].args, (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(calls[sky - 4].name, "glTranslatef");
  EXPECT_EQ(calls[sky - 4].args, (std::vector<double>{1, 4, -70.4f}));  // (2 - u/2, 4, -70 - u/5)
  const double expected[4][5] = {{1, 1, 40, -20, 0}, {1, 0, 40, 20, 0}, {0, 0, -40, 20, 0}, {0, 1, -40, -20, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(calls[sky + 1 + 2 * k].args, (std::vector<double>{expected[k][0], expected[k][1]}));
    EXPECT_EQ(calls[sky + 2 + 2 * k].args, (std::vector<double>{expected[k][2], expected[k][3], expected[k][4]}));
  }
  // Smooth shading, texturing and blending on, depth test off before the sky.
  EXPECT_LT(GLRecorder::Find("glShadeModel"), sky);
  EXPECT_EQ(GLRecorder::Named("glShadeModel")[0].args[0], GL_SMOOTH);
  EXPECT_LT(FindArg("glDisable", GL_DEPTH_TEST), sky);
  EXPECT_LT(FindArg("glEnable", GL_TEXTURE_2D), sky);
  EXPECT_LT(FindArg("glEnable", GL_BLEND), sky);
}

TEST_F(NightOcean, SurfaceTiltsAndSwingsItsDepthScale) {
  Frame(36500);  // u = 2
  const auto& calls = GLRecorder::Calls();
  const int t = GLRecorder::Find("glTranslatef", Begins()[0]);
  ASSERT_GT(t, 0);
  EXPECT_EQ(calls[t - 1].name, "glLoadIdentity");
  EXPECT_EQ(calls[t].args, (std::vector<double>{5.6f, 0, -12}));
  EXPECT_EQ(calls[t + 1].name, "glRotatef");
  EXPECT_EQ(calls[t + 1].args, (std::vector<double>{2, 1, 0, 0}));
  EXPECT_EQ(calls[t + 2].args, (std::vector<double>{8, 0, 1, 0}));
  EXPECT_EQ(calls[t + 3].name, "glScalef");
  EXPECT_EQ(calls[t + 3].args[2], static_cast<float>((std::sin(2.0) + 8) / 12));
  EXPECT_EQ(calls[t + 4].args[1], Id(Slot::water));
  EXPECT_EQ(calls[t + 5].name, "glEnable");
  EXPECT_EQ(calls[t + 5].args[0], GL_LIGHTING);

  Frame(32501);  // first frame: untilted, depth scale 8/12
  const int first = GLRecorder::Find("glScalef");
  EXPECT_NEAR(GLRecorder::Calls()[first].args[2], 8.0 / 12, 1e-4);
  EXPECT_EQ(GLRecorder::Calls()[first - 2].name, "glRotatef");
  EXPECT_NEAR(GLRecorder::Calls()[first - 2].args[0], 0.0, 1e-3);
  Frame(32500 + 3142);  // u close to pi/2: the largest depth scale
  EXPECT_NEAR(GLRecorder::Named("glScalef")[0].args[2], 9.0 / 12, 1e-6);
}

TEST_F(NightOcean, EveryCellSendsItsUpwardFaceNormalThenFourVertices) {
  Frame(36500);
  const auto& calls = GLRecorder::Calls();
  const std::vector<int> begins = Begins();
  ASSERT_EQ(begins.size(), 2u + kCells);
  const float s = static_cast<float>(1.0 / 48);
  for (int cell = 0; cell < kCells; ++cell) {
    const int a = -24 + cell / 48, b = -24 + cell % 48;
    const int i = begins[1 + cell];
    SCOPED_TRACE("cell a=" + std::to_string(a) + " b=" + std::to_string(b));
    ASSERT_EQ(calls[i].args[0], GL_QUADS);
    ASSERT_EQ(calls[i + 1].name, "glNormal3f");
    const int rows[4] = {a, a + 1, a + 1, a}, cols[4] = {b, b, b + 1, b + 1};
    Vec3 corner[4];
    for (int k = 0; k < 4; ++k) {
      const GLCall& tex = calls[i + 2 + 2 * k];
      const GLCall& v = calls[i + 3 + 2 * k];
      ASSERT_EQ(tex.name, "glTexCoord2f");
      ASSERT_EQ(v.name, "glVertex3f");
      EXPECT_EQ(tex.args[0], static_cast<float>(cols[k] + 24) * s);
      EXPECT_EQ(tex.args[1], static_cast<float>(rows[k] + 24) * s);
      EXPECT_EQ(v.args[0], cols[k]);
      EXPECT_EQ(v.args[1], Height(rows[k], cols[k], 0.0f));
      EXPECT_EQ(v.args[2], rows[k]);
      corner[k] = AsVec(v);
    }
    ASSERT_EQ(calls[i + 10].name, "glEnd");
    // The normal of B, C, D (not of A, B, C), pointing up.
    const Vec3 n = FaceNormal(corner[1], corner[2], corner[3]);
    EXPECT_EQ(calls[i + 1].args, (std::vector<double>{n.x, n.y, n.z}));
    EXPECT_GT(calls[i + 1].args[1], 0.9);
  }
  // The scratch member holds the last cell's normal.
  const GLCall& last = calls[begins[kCells] + 1];
  EXPECT_EQ(ocean.cellNormal.x, static_cast<float>(last.args[0]));
  EXPECT_EQ(ocean.cellNormal.y, static_cast<float>(last.args[1]));
  EXPECT_EQ(ocean.cellNormal.z, static_cast<float>(last.args[2]));
}

TEST_F(NightOcean, PhaseAdvancesByAFixedStepPerFrame) {
  Frame(33000);
  EXPECT_EQ(ocean.phase, 0.01f);
  Frame(33000);  // the same time again: still one step
  EXPECT_EQ(ocean.phase, 0.01f + 0.01f);
  // The frame is drawn with the phase reached before it.
  const std::vector<int> begins = Begins();
  EXPECT_EQ(GLRecorder::Calls()[begins[1] + 3].args[1], Height(-24, -24, 0.01f));
  float expected = ocean.phase;
  for (int now = 33001; now < 33011; ++now) {
    Frame(now);
    expected += 0.01f;
  }
  EXPECT_EQ(ocean.phase, expected);
}

TEST_F(NightOcean, LyricLineDriftsLeftAtFullOpacityOverEverything) {
  Frame(38000);  // u = 2.75
  const auto& calls = GLRecorder::Calls();
  const std::vector<int> begins = Begins();
  const int lyric = begins.back();
  ASSERT_EQ(calls[lyric - 1].name, "glBindTexture");
  EXPECT_EQ(calls[lyric - 1].args[1], Id(Slot::lyrics_ocean));
  EXPECT_EQ(calls[lyric - 2].args, (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(calls[lyric - 3].name, "glTranslatef");
  EXPECT_EQ(calls[lyric - 3].args, (std::vector<double>{1 - 2.75f / 5, -2, -10}));
  EXPECT_EQ(calls[lyric - 4].name, "glLoadIdentity");
  EXPECT_EQ(calls[lyric - 5].name, "glBlendFunc");
  const double expected[4][5] = {{1, 1, 4, -1, 0}, {1, 0, 4, 1, 0}, {0, 0, -4, 1, 0}, {0, 1, -4, -1, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(calls[lyric + 1 + 2 * k].args, (std::vector<double>{expected[k][0], expected[k][1]}));
    EXPECT_EQ(calls[lyric + 2 + 2 * k].args, (std::vector<double>{expected[k][2], expected[k][3], expected[k][4]}));
  }
  // Lighting is off again before the lyric.
  EXPECT_LT(FindArg("glDisable", GL_LIGHTING), lyric);
  EXPECT_LT(FindArg("glDisable", GL_LIGHT0), lyric);
  // Present over the whole window, from the first frame to the last.
  for (int now : {32501, 43499}) {
    Frame(now);
    EXPECT_EQ(GLRecorder::Calls()[Begins().back() - 1].args[1], Id(Slot::lyrics_ocean)) << now;
  }
  EXPECT_FLOAT_EQ(GLRecorder::Calls()[Begins().back() - 3].args[0], 1 - 5.4995f / 5);
}

TEST_F(NightOcean, Draws2306QuadsEachInItsOwnBeginEnd) {
  Frame(40000);
  EXPECT_EQ(GLRecorder::Count("glBegin"), 2 + kCells);
  EXPECT_EQ(GLRecorder::Count("glEnd"), 2 + kCells);
  EXPECT_EQ(GLRecorder::Count("glNormal3f"), 1 + kCells);
}

TEST_F(NightOcean, LeavesLightsTexturingAndBlendingOffAndDepthTestOn) {
  Frame(40000);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
