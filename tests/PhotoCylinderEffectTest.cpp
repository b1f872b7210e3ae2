#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/PhotoCylinderEffect.h"
#include "services/TextureBank.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

class PhotoCylinder : public SceneTest<PhotoCylinderEffect, EffectId::photoCylinder> {
 protected:
  bool Bound(int slot) { return Binds(Id(slot)) > 0; }

  PhotoCylinderEffect& cylinder = scene;
};

}  // namespace

TEST_F(PhotoCylinder, InitLoadsFivePicturesInOrderFillsTheCircleAndPi) {
  const int order[] = {Slot::photos, Slot::background04, Slot::lyrics_hate, Slot::lyrics_wars, Slot::le1};
  EXPECT_TRUE(bank.entries[Slot::photos]->Loaded());
  for (int k = 1; k < 5; ++k) EXPECT_EQ(Id(order[k]), Id(order[k - 1]) + 1) << k;
  for (int i = 0; i < 64; ++i)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(cylinder.circlePoints[i][c], kCirclePoints[i][c]);
  EXPECT_FLOAT_EQ(cylinder.pi, 3.14159274f);
}

TEST_F(PhotoCylinder, PulseTableAtItsBounds) {
  const struct {
    int elapsed;
    float pulse;
  } rows[] = {{1, 0},         {1000, 0},      {1199, 0},      {1200, 0.2f},   {1799, 0.799f}, {1800, 0.3f},
              {1949, 0.002f}, {1950, 0},      {3699, 0},      {3700, 0},      {4499, 0.799f}, {4500, 0.3f},
              {4650, 0},      {21999, 0}};
  for (const auto& row : rows) EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(row.elapsed), row.pulse) << row.elapsed;
  for (int rise : {6400, 9000, 11700, 14400, 17000, 19700}) {
    EXPECT_EQ(PhotoCylinderEffect::PulseAt(rise - 1), 0.0f) << rise;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(rise + 400), 0.4f) << rise;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(rise + 799), 0.799f) << rise;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(rise + 800), 0.3f) << rise;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(rise + 949), 0.002f) << rise;
    EXPECT_EQ(PhotoCylinderEffect::PulseAt(rise + 950), 0.0f) << rise;
  }
}

TEST_F(PhotoCylinder, WallIsOneOpenStripWithEveryInnerPairSentTwice) {
  Frame(9400);
  EXPECT_FLOAT_EQ(cylinder.pulse, 0.4f);
  std::vector<Primitive> blocks = Primitives();
  ASSERT_EQ(blocks.size(), 3u);  // background, wall, first lyric line
  const Primitive& wall = blocks[1];
  ASSERT_EQ(wall.mode, GL_QUAD_STRIP);
  ASSERT_EQ(wall.vertices.size(), 252u);
  ASSERT_EQ(wall.texCoords.size(), 252u);
  const double pulse = 0.4f;
  for (int i = 0; i < 63; ++i) {
    for (int k = 0; k < 2; ++k) {  // point i, then point i + 1
      const float* p = kCirclePoints[i + k];
      const auto& bottom = wall.vertices[4 * i + 2 * k];
      const auto& top = wall.vertices[4 * i + 2 * k + 1];
      EXPECT_NEAR(bottom[0], p[0], 1e-6);
      EXPECT_NEAR(bottom[1], -pulse, 1e-6);
      EXPECT_NEAR(bottom[2], p[2], 1e-6);
      EXPECT_NEAR(top[0], p[0], 1e-6);
      EXPECT_NEAR(top[1], 5 + pulse, 1e-6);
      EXPECT_NEAR(top[2], p[2] + 1, 1e-6);  // the wall leans
      EXPECT_EQ(wall.texCoords[4 * i + 2 * k], (std::vector<double>{(i + k) / 64.0f, 1}));
      EXPECT_EQ(wall.texCoords[4 * i + 2 * k + 1], (std::vector<double>{(i + k) / 64.0f, 0}));
    }
  }
  const std::vector<std::vector<double>> upright = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
  EXPECT_EQ(blocks[0].vertices, (std::vector<std::vector<double>>{{2, -1, 0}, {2, 1, 0}, {-2, 1, 0}, {-2, -1, 0}}));
  EXPECT_EQ(blocks[0].texCoords, upright);
  EXPECT_EQ(blocks[2].vertices, (std::vector<std::vector<double>>{{4, -1, 0}, {4, 1, 0}, {-4, 1, 0}, {-4, -1, 0}}));
  EXPECT_EQ(blocks[2].texCoords, upright);
}

TEST_F(PhotoCylinder, CallStreamOfOneFrame) {
  Frame(12000);
  const std::vector<std::string> stream = LinesWithoutPoints();
  const float s = 12.0f, pi = 3.14159274f;
  const double tex = GL_TEXTURE_2D;
  const std::vector<std::string> expected = {
      Line("glLoadIdentity", {}),
      Line("glClearColor", {0, 0, 0.5, 0}),
      Line("glClear", {double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)}),
      Line("glEnable", {tex}),
      Line("glEnable", {double(GL_BLEND)}),
      Line("glDisable", {double(GL_DEPTH_TEST)}),
      Line("glBlendFunc", {double(GL_SRC_ALPHA), double(GL_ONE_MINUS_SRC_ALPHA)}),
      Line("glLoadIdentity", {}),
      Line("glTranslatef", {-s / 100, 0, -3}),
      Line("glColor4f", {1, 1, 1, 1}),
      Line("glBindTexture", {tex, Id(Slot::background04)}),
      Line("glBegin", {double(GL_QUADS)}),
      Line("glEnd", {}),
      Line("glLoadIdentity", {}),
      Line("glTranslatef", {0, -2.5, -2}),
      Line("glRotatef", {13 * s + 130, 0, 1, 0}),
      Line("glColor4f", {1, 1, 1, 1}),
      Line("glBindTexture", {tex, Id(Slot::photos)}),
      Line("glBegin", {double(GL_QUAD_STRIP)}),
      Line("glEnd", {}),
      Line("glLoadIdentity", {}),
      Line("glTranslatef", {s / 5 - 2, -2, -10}),
      Line("glColor4f", {1, 1, 1, static_cast<float>(std::sin(double(pi * (s - 10) / 10.0f)))}),
      Line("glBindTexture", {tex, Id(Slot::lyrics_wars)}),
      Line("glBegin", {double(GL_QUADS)}),
      Line("glEnd", {}),
      Line("glDisable", {tex}),
      Line("glDisable", {double(GL_BLEND)}),
      Line("glEnable", {double(GL_DEPTH_TEST)})};
  EXPECT_EQ(stream, expected);
}

TEST_F(PhotoCylinder, LyricImagesOnlyStrictlyInsideTheirSlots) {
  const struct {
    int elapsed;
    bool hate, wars;
  } rows[] = {{2000, false, false}, {2001, true, false},  {9999, true, false}, {10000, false, false},
              {10001, false, true}, {19999, false, true}, {20000, false, false}};
  for (const auto& row : rows) {
    Frame(row.elapsed);
    EXPECT_EQ(Bound(Slot::lyrics_hate), row.hate) << row.elapsed;
    EXPECT_EQ(Bound(Slot::lyrics_wars), row.wars) << row.elapsed;
    EXPECT_FALSE(Bound(Slot::le1));  // loaded, never drawn
  }
  Frame(6000);  // the middle of the first slot: alpha 1
  EXPECT_NEAR(GLRecorder::Named("glColor4f").back().args[3], 1.0, 1e-6);
}
