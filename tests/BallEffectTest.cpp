#include "effects/BallEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/MeshScenes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

const int kStart = SceneStart(EffectId::ball);  // the scene's window, from the timeline

const Triangle& kHexagon = kFirstTriangle;
const Triangle& kPentagon = kSecondTriangle;

class BallEffectTest : public MeshSceneTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok);
    dir.WriteTri("ball_hexagons.tri", {kHexagon}, 120, kFiller);
    dir.WriteTri("ball_pentagons.tri", {kPentagon}, 60, kFiller);
    GLRecorder::Clear();
    ball.Init();
  }

  void Frame(int elapsed) {
    GLRecorder::Clear();
    ball.Render(kStart + elapsed, kStart);
  }

  BallEffect ball{&bank};
};

}  // namespace

TEST_F(BallEffectTest, InitReadsBothMeshesLoadsTexturesInOrderAndSetsColours) {
  EXPECT_EQ(ball.hexagons[0].vertices[2].z, 2.0f);
  EXPECT_EQ(ball.hexagons[0].normal.x, kHexagon.normal.x);
  EXPECT_EQ(ball.hexagons[119].vertices[1].x, 1.0f);
  EXPECT_EQ(ball.pentagons[0].vertices[1].z, -0.5f);
  EXPECT_EQ(ball.pentagons[59].vertices[2].y, 1.0f);
  EXPECT_EQ(Id(Slot::japo), 1u);
  EXPECT_EQ(Id(Slot::lyrics_agoodfriend), 2u);
  EXPECT_EQ(Id(Slot::background07), 3u);
  EXPECT_EQ(boxes.boxes.size(), 3u);  // the three missing pictures, no mesh
  EXPECT_EQ(ball.swell, 1.0f);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(ball.hexagonColor[k], 1.0f);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(ball.pentagonColor[k], 0.0f);
  EXPECT_EQ(ball.pentagonColor[3], 1.0f);
}

TEST_F(BallEffectTest, HexagonsAreOutlinedWithSmoothThinStripsAndPentagonsAreNot) {
  Frame(5000);
  const int hexagons = Find({"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 1, 1, 1, 1}});
  ASSERT_GE(hexagons, 3);
  EXPECT_TRUE(CallsAt(hexagons - 3, {
      {"glPushMatrix", {}}, {"glScalef", {1, 1, 1}}, {"glRotatef", {50, 0, 1, 0}},
      {"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 1, 1, 1, 1}},
      {"glColorMaterial", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE}},
      {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}},
      Enable(GL_LINE_SMOOTH), {"glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}}, {"glLineWidth", {0.2f}},
      Enable(GL_LIGHTING), Enable(GL_COLOR_MATERIAL), {"glColor4f", {1, 1, 1, 1}},
      Begin(GL_TRIANGLES), Normal(kHexagon.normal),
      Vertex(kHexagon.vertices[0]), Vertex(kHexagon.vertices[1]), Vertex(kHexagon.vertices[2]), End(),
      {"glColor3f", {0, 0, 0}}, Begin(GL_LINE_STRIP),
      Vertex(kHexagon.vertices[0]), Vertex(kHexagon.vertices[1]), Vertex(kHexagon.vertices[2]), End(),
      {"glColor4f", {1, 1, 1, 1}}}));

  const int pentagons = Find({"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 0, 0, 0, 1}});
  ASSERT_GT(pentagons, hexagons);
  EXPECT_TRUE(CallsAt(pentagons - 9, {
      {"glColor4f", {1, 1, 1, 1}}, Disable(GL_LIGHTING), Disable(GL_COLOR_MATERIAL), {"glColor3f", {0, 0, 0}},
      Disable(GL_LINE_SMOOTH), {"glPopMatrix", {}}, {"glPushMatrix", {}}, {"glScalef", {1, 1, 1}}, {"glRotatef", {50, 0, 1, 0}},
      {"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 0, 0, 0, 1}},
      {"glColorMaterial", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE}},
      Enable(GL_LIGHTING), Enable(GL_COLOR_MATERIAL),
      {"glColor4f", {0, 0, 0, 1}}, {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}},
      Begin(GL_TRIANGLES), Normal(kPentagon.normal),
      Vertex(kPentagon.vertices[0]), Vertex(kPentagon.vertices[1]), Vertex(kPentagon.vertices[2]), End(),
      {"glColor4f", {0, 0, 0, 1}}}));

  int triangles = 0, strips = 0, others = 0;
  for (const Primitive& p : Primitives()) {
    if (p.mode == GL_QUADS) continue;
    EXPECT_EQ(p.vertices.size(), 3u);
    triangles += p.mode == GL_TRIANGLES;
    strips += p.mode == GL_LINE_STRIP;
    others += p.mode != GL_TRIANGLES && p.mode != GL_LINE_STRIP;
  }
  EXPECT_EQ(triangles, 180);
  EXPECT_EQ(strips, 120);
  EXPECT_EQ(others, 0);
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
  EXPECT_TRUE(CallsAt(photo - 3, {{"glLoadIdentity", {}}, {"glTranslatef", {6.4f / 64.0f - 1.0f, 0, -5}},
                                  {"glColor4f", {1, 1, 1, 1}}, Bind(Id(Slot::japo))}));
  EXPECT_TRUE(CallsAt(photo + 1, PictureQuad(2, 1.5)));
  EXPECT_TRUE(CallsAt(photo + 11, {
      Disable(GL_TEXTURE_2D), Disable(GL_BLEND), Enable(GL_DEPTH_TEST),
      {"glLightfv", {GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1}},
      {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}},
      {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1}},
      {"glLightfv", {GL_LIGHT0, GL_POSITION, 0, 0, 5, 1}},
      Enable(GL_LIGHT0), Enable(GL_LIGHTING), {"glShadeModel", {GL_SMOOTH}}, Enable(GL_DEPTH_TEST),
      {"glLoadIdentity", {}}, {"glTranslatef", {1, 0.2, -3.5}}, {"glRotatef", {-6.4f, 0, 1, 0}},
      {"glRotatef", {180, 1, 0, 0}}, {"glRotatef", {-45, 0, 1, 0}}, {"glRotatef", {-70, 0, 0, 1}},
      {"glPushMatrix", {}}, {"glScalef", {1, 1, 1}}, {"glRotatef", {64.0f, 0, 1, 0}}}));
  // The background comes first, with the same blending state.
  const int background = Find(Bind(Id(Slot::background07)));
  ASSERT_GE(background, 4);
  EXPECT_LT(background, photo);
  EXPECT_TRUE(CallsAt(background - 4, {{"glLoadIdentity", {}}, {"glTranslatef", {0, 0.5, -1}},
                                       {"glRotatef", {6.4f + 200.0f, 0, 1, 0}}, {"glColor4f", {1, 1, 1, 1}}}));
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
  const int at = Find(Bind(caption));
  EXPECT_TRUE(CallsAt(at - 3, {{"glLoadIdentity", {}}, {"glTranslatef", {1, -2, -10}}}));
  EXPECT_TRUE(CallsAt(at + 1, PictureQuad(4, 1)));
  Frame(9999);
  EXPECT_TRUE(Bound(caption));
  // Near the end the sine is small and shows which pi was used: the float one.
  EXPECT_FLOAT_EQ(AlphaBefore(caption), std::sin(static_cast<double>(9.999f * 3.1415927f / 10.0f)));
  EXPECT_GT(std::fabs(AlphaBefore(caption) - std::sin(9.999 * M_PI / 10)), 1e-8);
  Frame(10000);
  EXPECT_FALSE(Bound(caption));
  Frame(10999);
  EXPECT_FALSE(Bound(caption));
}

TEST_F(BallEffectTest, LeavesThinLineWidthNicestHintAndLightZeroBehind) {
  Frame(2600);
  EXPECT_TRUE(CallsAt(0, {{"glLoadIdentity", {}}, {"glClearColor", {0, 0, 0.5, 0}},
                          {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}}}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  const auto widths = GLRecorder::Named("glLineWidth");
  ASSERT_FALSE(widths.empty());
  EXPECT_FLOAT_EQ(widths.back().args[0], 0.2f);
  const auto hints = GLRecorder::Named("glHint");
  ASSERT_FALSE(hints.empty());
  EXPECT_TRUE(Matches(hints.back(), {"glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}}));
  const auto modes = GLRecorder::Named("glPolygonMode");
  EXPECT_TRUE(Matches(modes.back(), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}));
}
