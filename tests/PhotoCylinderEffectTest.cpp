#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/PhotoCylinderEffect.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
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
  ExpectNamedInOrder({Slot::photos, Slot::background04, Slot::lyrics_hate, Slot::lyrics_wars, Slot::le1});
  ExpectCircleTableCopied(cylinder.circlePoints);
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
  // The wall spans -pulse to 5 + pulse and leans: its top one unit further in z.
  const double pulse = 0.4f;
  ExpectCircleStrip(wall.vertices, wall.texCoords, [&](int q, bool top) {
    const float* p = kCirclePoints[q];
    return top ? std::vector<double>{p[0], 5 + pulse, p[2] + 1} : std::vector<double>{p[0], -pulse, p[2]};
  }, 1e-6);
  EXPECT_EQ(blocks[0].vertices, PictureCorners(2, 1));
  EXPECT_EQ(blocks[0].texCoords, PictureTexCoords());
  EXPECT_EQ(blocks[2].vertices, PictureCorners(4, 1));
  EXPECT_EQ(blocks[2].texCoords, PictureTexCoords());
}

TEST_F(PhotoCylinder, CallStreamOfOneFrame) {
  Frame(12000);
  const std::vector<std::string> stream = LinesWithoutPoints();
  const float s = 12.0f, pi = 3.14159274f;
  const std::vector<std::string> expected = Lines(Joined({
      {Identity()}, ClearTo(0, 0, 0.5),
      {Enable(GL_TEXTURE_2D), Enable(GL_BLEND), Disable(GL_DEPTH_TEST), BlendAlpha(),
       Identity(), Translate(-s / 100, 0, -3), Colour(1, 1, 1, 1), Bind(Id(Slot::background04)), Begin(GL_QUADS), End(),
       Identity(), Translate(0, -2.5, -2), {"glRotatef", {13 * s + 130, 0, 1, 0}}, Colour(1, 1, 1, 1),
       Bind(Id(Slot::photos)), Begin(GL_QUAD_STRIP), End(),
       Identity(), Translate(s / 5 - 2, -2, -10), Colour(1, 1, 1, static_cast<float>(std::sin(double(pi * (s - 10) / 10.0f)))),
       Bind(Id(Slot::lyrics_wars)), Begin(GL_QUADS), End()},
      PictureStateOff()}));
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
