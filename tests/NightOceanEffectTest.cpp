#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/NightOceanEffect.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

using Args = std::vector<double>;
constexpr int kCells = 48 * 48;

class NightOcean : public SceneTest<NightOceanEffect, EffectId::nightOcean> {
 protected:
  // Reference height: sines in double of (integer + float phase), one rounding.
  static float Height(int r, int c, float phase) {
    return static_cast<float>((std::sin(static_cast<double>(static_cast<float>(r) + phase)) +
                               std::sin(static_cast<double>(static_cast<float>(c) + phase))) *
                              static_cast<double>(0.1f));
  }

  NightOceanEffect& ocean = scene;
};

}  // namespace

TEST_F(NightOcean, InitSetsItsValuesAndLoadsThreeTexturesInOrder) {
  EXPECT_EQ(ocean.phase, 0.0f);
  EXPECT_EQ(ocean.gridSize, 48);
  EXPECT_EQ(ocean.amplitude, 0.1f);
  EXPECT_EQ(ocean.phaseStep, 0.01f);
  EXPECT_FALSE(drawnByInit);
  ExpectNamedInOrder({Slot::water, Slot::skynight, Slot::lyrics_ocean});
}

TEST_F(NightOcean, Light0BeforeTheModelviewResetAndAnUnlitSky) {
  FrameAt(36500);  // u = 2
  EXPECT_TRUE(CallsAt(0, ClearTo(0, 0, 0), 0));
  const std::vector<GLCall> lights = GLRecorder::Named("glLightfv");
  ASSERT_EQ(lights.size(), 3u);
  EXPECT_EQ(lights[0].args, (Args{GL_LIGHT0, GL_AMBIENT, 0.5, 0.5, 0.5, 1}));
  EXPECT_EQ(lights[1].args, (Args{GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}));
  EXPECT_EQ(lights[2].args, (Args{GL_LIGHT0, GL_POSITION, 0, 10, -10, 1}));
  const int reset = GLRecorder::Find("glLoadIdentity");
  EXPECT_LT(Indices("glLightfv").back(), reset);
  EXPECT_LT(Indices("glEnable", GL_LIGHT0)[0], reset);
  EXPECT_EQ(GLRecorder::Count("glMatrixMode") + GLRecorder::Count("glMaterialfv"), 0);

  const int sky = GLRecorder::Find("glBegin");
  EXPECT_GT(Indices("glEnable", GL_LIGHTING)[0], sky);
  EXPECT_LT(Indices("glDisable", GL_DEPTH_TEST)[0], sky);
  EXPECT_EQ(GLRecorder::Named("glShadeModel")[0].args, Args{GL_SMOOTH});
  ASSERT_GE(sky, 4);
  EXPECT_TRUE(CallsAt(sky - 4, {Translate(1, 4, -70.4f),  // (2 - u/2, 4, -70 - u/5)
                                Colour(1, 1, 1, 1), Bind(Id(Slot::skynight)), {"glNormal3f", {0, 0, 1}}}, 0));
  ExpectPictureQuad(sky, 40, 20);
}

TEST_F(NightOcean, SurfaceTiltsAndSwingsItsDepthScale) {
  FrameAt(36500);  // u = 2
  const int t = GLRecorder::Find("glTranslatef", GLRecorder::Find("glEnd"));
  EXPECT_TRUE(CallsAt(t - 1, {Identity(), Translate(5.6f, 0, -12), {"glRotatef", {2, 1, 0, 0}},
                              {"glRotatef", {8, 0, 1, 0}}, {"glScalef", {1, 1, static_cast<float>((std::sin(2.0) + 8) / 12)}},
                              Bind(Id(Slot::water)), Enable(GL_LIGHTING)}, 0));

  FrameAt(32501);  // the first frame: untilted, depth scale 8/12
  EXPECT_NEAR(GLRecorder::Named("glRotatef")[0].args[0], 0.0, 1e-3);
  EXPECT_NEAR(GLRecorder::Named("glScalef")[0].args[2], 8.0 / 12, 1e-4);
}

TEST_F(NightOcean, EveryCellSendsTheUpwardNormalOfBCDThenFourVertices) {
  FrameAt(36500);
  const std::vector<int> begins = Indices("glBegin");
  ASSERT_EQ(begins.size(), 2u + kCells);  // each cell in its own begin/end
  const float s = static_cast<float>(1.0 / 48);
  for (int cell = 0; cell < kCells; ++cell) {
    const int a = -24 + cell / 48, b = -24 + cell % 48, i = begins[1 + cell];
    SCOPED_TRACE("cell a=" + std::to_string(a) + " b=" + std::to_string(b));
    ASSERT_EQ(At(i + 1).name, "glNormal3f");
    ASSERT_EQ(At(i + 10).name, "glEnd");
    const int rows[4] = {a, a + 1, a + 1, a}, cols[4] = {b, b, b + 1, b + 1};
    Vec3 corner[4];
    for (int k = 0; k < 4; ++k) {
      ASSERT_EQ(At(i + 2 + 2 * k).name, "glTexCoord2f");
      EXPECT_EQ(At(i + 2 + 2 * k).args, (Args{(cols[k] + 24) * s, (rows[k] + 24) * s}));
      corner[k] = Vec3{static_cast<float>(cols[k]), Height(rows[k], cols[k], 0.0f), static_cast<float>(rows[k])};
      EXPECT_EQ(At(i + 3 + 2 * k).args, (Args{corner[k].x, corner[k].y, corner[k].z}));
    }
    const Vec3 n = FaceNormal(corner[1], corner[2], corner[3]);
    EXPECT_EQ(At(i + 1).args, (Args{n.x, n.y, n.z}));
    EXPECT_GT(n.y, 0.9f);
  }
  const Vec3& last = ocean.cellNormal;  // the scratch member holds the last cell's normal
  EXPECT_EQ(At(begins[kCells] + 1).args, (Args{last.x, last.y, last.z}));
}

TEST_F(NightOcean, PhaseAdvancesByAFixedStepPerFrameAfterDrawing) {
  FrameAt(33000);
  EXPECT_EQ(ocean.phase, 0.01f);
  FrameAt(33000);  // the same time again: one more step
  EXPECT_EQ(ocean.phase, 0.01f + 0.01f);
  EXPECT_EQ(At(Indices("glBegin")[1] + 3).args[1], Height(-24, -24, 0.01f));
}

TEST_F(NightOcean, LyricLineAtFullOpacityDriftsLeftOverEverything) {
  for (int now : {32501, 38000, 43499}) {
    FrameAt(now);
    const float u = static_cast<float>(now - kStart) / 2000;
    const int lyric = Indices("glBegin").back();
    EXPECT_EQ(At(lyric - 1).args[1], Id(Slot::lyrics_ocean)) << now;
    EXPECT_EQ(At(lyric - 2).args, (Args{1, 1, 1, 1}));
    EXPECT_EQ(At(lyric - 3).args, (Args{1 - u / 5, -2, -10})) << now;
    EXPECT_EQ(At(lyric - 4).name, "glLoadIdentity");
    EXPECT_EQ(At(lyric - 5).args, (Args{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
    ExpectPictureQuad(lyric, 4, 1);
    EXPECT_LT(Indices("glDisable", GL_LIGHTING)[0], lyric);
    EXPECT_LT(Indices("glDisable", GL_LIGHT0)[0], lyric);
  }
  for (GLenum cap : {GL_LIGHT0, GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND}) EXPECT_FALSE(glIsEnabled(cap));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
