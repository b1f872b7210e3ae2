#include "effects/BallEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/MeshScenes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

const Triangle& kHexagon = kFirstTriangle;
const Triangle& kPentagon = kSecondTriangle;

class BallEffectTest : public MeshSceneTest<BallEffect, EffectId::ball> {
 protected:
  BallEffectTest()
      : MeshSceneTest({{"ball_hexagons.tri", {kHexagon}, 120}, {"ball_pentagons.tri", {kPentagon}, 60}}) {}

  BallEffect& ball = scene;
};

}  // namespace

TEST_F(BallEffectTest, InitReadsBothMeshesLoadsTexturesInOrderAndSetsColours) {
  EXPECT_EQ(ball.hexagons[0].vertices[2].z, 2.0f);
  EXPECT_EQ(ball.hexagons[0].normal.x, kHexagon.normal.x);
  EXPECT_EQ(ball.hexagons[119].vertices[1].x, 1.0f);
  EXPECT_EQ(ball.pentagons[0].vertices[1].z, -0.5f);
  EXPECT_EQ(ball.pentagons[59].vertices[2].y, 1.0f);
  ExpectNamedInOrder({Slot::japo, Slot::lyrics_agoodfriend, Slot::background07});
  EXPECT_EQ(boxes.boxes.size(), 3u);  // the three missing pictures, no mesh
  EXPECT_EQ(ball.swell, 1.0f);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(ball.hexagonColor[k], 1.0f);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(ball.pentagonColor[k], 0.0f);
  EXPECT_EQ(ball.pentagonColor[3], 1.0f);
}

TEST_F(BallEffectTest, HexagonsAreOutlinedWithSmoothThinStripsAndPentagonsAreNot) {
  Frame(5000);
  const std::vector<GLCall> part = {{"glPushMatrix", {}}, {"glScalef", {1, 1, 1}}, {"glRotatef", {50, 0, 1, 0}}};
  const int hexagons = Find(Material(1, 1, 1, 1));
  ASSERT_GE(hexagons, 3);
  EXPECT_TRUE(CallsAt(hexagons - 3, Joined({
      part, {Material(1, 1, 1, 1), ColorMaterial(), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}},
             Enable(GL_LINE_SMOOTH), {"glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}}, {"glLineWidth", {0.2f}},
             Enable(GL_LIGHTING), Enable(GL_COLOR_MATERIAL), Colour(1, 1, 1, 1)},
      FilledAndOutlined(kHexagon, GL_LINE_STRIP), {Colour(1, 1, 1, 1)}})));

  const int pentagons = Find(Material(0, 0, 0, 1));
  ASSERT_GT(pentagons, hexagons);
  EXPECT_TRUE(CallsAt(pentagons - 9, Joined({
      {Colour(1, 1, 1, 1), Disable(GL_LIGHTING), Disable(GL_COLOR_MATERIAL), Black(), Disable(GL_LINE_SMOOTH),
       {"glPopMatrix", {}}},
      part, {Material(0, 0, 0, 1), ColorMaterial(), Enable(GL_LIGHTING), Enable(GL_COLOR_MATERIAL),
             Colour(0, 0, 0, 1), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}},
      Drawn(GL_TRIANGLES, kPentagon), {Colour(0, 0, 0, 1)}})));

  EXPECT_EQ(MeshPrimitives(), (std::map<int, int>{{GL_TRIANGLES, 180}, {GL_LINE_STRIP, 120}}));
  // Lighting is switched on after the light, once for all hexagons (their
  // black edges lit are black) and once for all pentagons.
  EXPECT_EQ(CountCall(Enable(GL_LIGHTING)), 3);
  EXPECT_EQ(CountCall({"glLineWidth", {0.2f}}), 1);
  EXPECT_EQ(CountCall(Enable(GL_NORMALIZE)), 0);
}

TEST_F(BallEffectTest, LightIsPlacedUnderThePhotographsMatrix) {
  Frame(6400);  // t = 6.4: the photograph at x = 0.1 - 1
  const int photo = Find(Bind(Id(Slot::japo)));
  ASSERT_GE(photo, 3);
  EXPECT_TRUE(PlacedPicture(Id(Slot::japo), {6.4f / 64.0f - 1.0f, 0, -5}, 2, 1.5));
  EXPECT_TRUE(CallsAt(photo - 1, {Colour(1, 1, 1, 1)}));
  EXPECT_TRUE(CallsAt(photo + 11, Joined({
      LightAt(0, 0, 5, 1), TiltedAt(1, 0.2, -3.5, -6.4f),
      {{"glPushMatrix", {}}, {"glScalef", {1, 1, 1}}, {"glRotatef", {64.0f, 0, 1, 0}}}})));
  // The background comes first, with the same blending state.
  const int background = Find(Bind(Id(Slot::background07)));
  ASSERT_GE(background, 4);
  EXPECT_LT(background, photo);
  EXPECT_TRUE(CallsAt(background - 4, {Identity(), Translate(0, 0.5, -1), {"glRotatef", {6.4f + 200.0f, 0, 1, 0}},
                                       Colour(1, 1, 1, 1)}));
  EXPECT_TRUE(CallsAt(background + 1, PictureQuad(1, 1)));
  EXPECT_EQ(Find(Disable(GL_TEXTURE_2D)), photo + 11);  // nothing switched off between the pictures
}

TEST_F(BallEffectTest, SwellsToOneAndAHalfInsideTheThreeSlots) {
  const std::vector<std::pair<int, float>> swells = {
      {1, 1.0f},    {2549, 1.0f}, {2550, 1.5f}, {2749, 1.5f}, {2750, 1.0f}, {5249, 1.0f},
      {5250, 1.5f}, {5449, 1.5f}, {5450, 1.0f}, {7849, 1.0f}, {7850, 1.5f}, {8049, 1.5f},
      {8050, 1.0f}, {10999, 1.0f}};
  for (const auto& [elapsed, swell] : swells) {
    Frame(elapsed);
    EXPECT_EQ(ball.swell, swell) << "elapsed " << elapsed;
    EXPECT_EQ(CountCall({"glScalef", {swell, swell, swell}}), 2) << "elapsed " << elapsed;
  }
}

TEST_F(BallEffectTest, CaptionHasStrictBoundsAndAHalfSineAlpha) {
  const unsigned caption = Id(Slot::lyrics_agoodfriend);
  Frame(1);
  EXPECT_NEAR(AlphaBefore(caption), std::sin(0.001 * M_PI / 10), 1e-7);
  Frame(5000);
  EXPECT_NEAR(AlphaBefore(caption), 1.0, 1e-6);
  EXPECT_TRUE(PlacedPicture(caption, {1, -2, -10}, 4, 1));
  Frame(9999);
  EXPECT_TRUE(Bound(caption));
  ExpectFloatPiSine(AlphaBefore(caption), 9999, 0, 10);
  Frame(10000);
  EXPECT_FALSE(Bound(caption));
  Frame(10999);
  EXPECT_FALSE(Bound(caption));
}

TEST_F(BallEffectTest, LeavesThinLineWidthNicestHintAndLightZeroBehind) {
  Frame(2600);
  EXPECT_TRUE(CallsAt(0, Joined({{Identity()}, ClearTo(0, 0, 0.5)})));
  EXPECT_TRUE(LeftEnabled({GL_DEPTH_TEST, GL_LIGHT0},
                          {GL_TEXTURE_2D, GL_BLEND, GL_LIGHTING, GL_COLOR_MATERIAL, GL_LINE_SMOOTH}));
  const auto widths = GLRecorder::Named("glLineWidth");
  ASSERT_FALSE(widths.empty());
  EXPECT_FLOAT_EQ(widths.back().args[0], 0.2f);
  const auto hints = GLRecorder::Named("glHint");
  ASSERT_FALSE(hints.empty());
  EXPECT_TRUE(Matches(hints.back(), {"glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}}));
  const auto modes = GLRecorder::Named("glPolygonMode");
  EXPECT_TRUE(Matches(modes.back(), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}));
}
