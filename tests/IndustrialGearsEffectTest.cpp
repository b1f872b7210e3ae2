#include "effects/IndustrialGearsEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "services/Random.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/MeshScenes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

const Triangle& kFirst = kFirstTriangle;

class IndustrialGearsEffectTest : public MeshSceneTest<IndustrialGearsEffect, EffectId::industrialGears> {
 protected:
  IndustrialGearsEffectTest() : MeshSceneTest({{"gear.tri", {kFirst}, 240}}) {}
  void BeforeInit() override {
    MeshSceneTest::BeforeInit();
    Random::Seed(777);  // not the start state, so a draw in Init shows
  }

  // Indices of the four gears' glPushMatrix calls.
  static std::vector<int> GearPushes() { return Indices("glPushMatrix"); }

  IndustrialGearsEffect& gears = scene;
};

std::vector<GLCall> GearStart(std::vector<GLCall> transforms) {
  std::vector<GLCall> calls = {{"glPushMatrix", {}}};
  calls.insert(calls.end(), transforms.begin(), transforms.end());
  calls.push_back({"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 0.5, 0.5, 0.5, 1}});
  calls.push_back({"glColorMaterial", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE}});
  return calls;
}

}  // namespace

TEST_F(IndustrialGearsEffectTest, InitReadsTheGearLoadsTexturesInOrderAndDrawsNoRandomNumber) {
  EXPECT_FALSE(drawnByInit);
  EXPECT_EQ(gears.gear[0].vertices[1].x, 1.5f);
  EXPECT_EQ(gears.gear[0].normal.z, kFirst.normal.z);
  EXPECT_EQ(gears.gear[239].vertices[2].y, 1.0f);
  ExpectNamedInOrder({Slot::industry, Slot::background03, Slot::lyrics_pollution, Slot::lyrics_ymi2});
  EXPECT_EQ(boxes.boxes.size(), 4u);
  EXPECT_EQ(gears.pi, 3.14159274f);
  const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f}, black[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1},
              position[4] = {0, 0, 0, 1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(gears.gearColor[k], grey[k]);
    EXPECT_EQ(gears.lightAmbient[k], black[k]);
    EXPECT_EQ(gears.lightDiffuse[k], white[k]);
    EXPECT_EQ(gears.lightSpecular[k], white[k]);
    EXPECT_EQ(gears.lightPosition[k], position[k]);
  }
}

TEST_F(IndustrialGearsEffectTest, PicturesThenLightUnderThePhotographsMatrixThenGears) {
  Frame(2000);  // x = 2
  EXPECT_TRUE(CallsAt(0, Joined({ClearTo(1, 1, 1),
                                  {Enable(GL_TEXTURE_2D), Enable(GL_BLEND), Disable(GL_DEPTH_TEST), BlendAlpha(),
                                   Identity(), Translate(-0.02, 0, -3), Colour(1, 1, 1, 1), Bind(Id(Slot::background03))},
                                  PictureQuad(2, 1),
                                  {Identity(), Translate(0.5f - 0.02f, 0.2f - 0.02f, -4), Colour(1, 1, 1, 1),
                                   Bind(Id(Slot::industry))},
                                  PictureQuad(2, 1.5), LightAt(2, 0, -48, 1),
                                  {Identity(), Translate(-2.5, 0, -7), {"glRotatef", {70, 0, 1, 0}}}})));

  const std::vector<int> pushes = GearPushes();
  ASSERT_EQ(pushes.size(), 4u);
  EXPECT_EQ(pushes[0], 48);  // straight after the placement
  EXPECT_TRUE(CallsAt(pushes[0], GearStart({{"glScalef", {2, 2, 1}}, {"glRotatef", {200, 0, 0, 1}}})));
  EXPECT_TRUE(CallsAt(pushes[1], GearStart({{"glScalef", {1.5, 1.5, 1}}, {"glTranslatef", {1.75, 0, 0}},
                                            {"glRotatef", {17.0f - 200.0f, 0, 0, 1}}})));
  EXPECT_TRUE(CallsAt(pushes[2], GearStart({{"glScalef", {1, 1, 1}}, {"glTranslatef", {3, 1.9, 0}},
                                            {"glRotatef", {205, 0, 0, 1}}})));
  EXPECT_TRUE(CallsAt(pushes[3], GearStart({{"glScalef", {1, 1, 1}}, {"glTranslatef", {3, -1.9, 0}},
                                            {"glRotatef", {218, 0, 0, 1}}})));
  for (int g = 0; g < 4; ++g) EXPECT_EQ(GLRecorder::Calls()[pushes[g] - 1].name, g ? "glPopMatrix" : "glRotatef");
}

TEST_F(IndustrialGearsEffectTest, EachTriangleIsFilledThenGetsOneBlackEdgeFromThreeVertexLines) {
  Frame(2000);
  const int first = GearPushes().at(0) + 5;
  EXPECT_TRUE(CallsAt(first, Joined({{{"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}, Enable(GL_LIGHTING),
                                       Enable(GL_COLOR_MATERIAL), Colour(0.5, 0.5, 0.5, 1)},
                                      FilledAndOutlined(kFirst, GL_LINES), {Colour(0.5, 0.5, 0.5, 1)}})));
  // Lighting stays on through each gear (a lit black edge is black); each
  // gear ends unlit, with the material grey and the colour black.
  EXPECT_EQ(CountCall(Enable(GL_LIGHTING)), 5);
  const int pop = Find({"glPopMatrix", {}}, first);
  EXPECT_TRUE(CallsAt(pop - 4, PartEnd(0.5, 0.5, 0.5, 1)));
  EXPECT_EQ(MeshPrimitives(), (std::map<int, int>{{GL_TRIANGLES, 960}, {GL_LINES, 960}}));
  EXPECT_EQ(CountCall(Enable(GL_NORMALIZE)), 0);
}

TEST_F(IndustrialGearsEffectTest, FlickerDrawsOneRandomNumberPerFrameOnlyInsideTheSlots) {
  struct Case {
    int elapsed;
    bool inside;
  };
  const std::vector<Case> cases = {
      {1, false},   {1499, false}, {1500, true}, {1699, true},  {1700, false}, {4199, false},
      {4200, true}, {4399, true},  {4400, false}, {6799, false}, {6800, true}, {6999, true},
      {7000, false}, {9399, false}, {9400, true}, {9599, true},  {9600, false}, {10999, false}};
  std::uint32_t seed = 4242;
  for (const Case& c : cases) {
    // A seed whose draw is not a multiple of 100, so a scale of 1 cannot pass.
    float drawn = 1.0f;
    std::uint32_t afterOne = 0;
    for (; drawn == 1.0f; ++seed) {
      Random::Seed(seed);
      drawn = static_cast<float>(Random::Next() % 100 + 100) / 100.0f;
      afterOne = Random::State();
    }
    --seed;
    Random::Seed(seed);
    Frame(c.elapsed);
    const float s = c.inside ? drawn : 1.0f;
    EXPECT_EQ(Random::State(), c.inside ? afterOne : seed) << "elapsed " << c.elapsed;
    EXPECT_EQ(gears.flickerScale, s) << "elapsed " << c.elapsed;
    const std::vector<int> pushes = GearPushes();
    ASSERT_EQ(pushes.size(), 4u);
    EXPECT_TRUE(CallsAt(pushes[0] + 1, {{"glScalef", {s + 1.0f, s + 1.0f, s}}})) << "elapsed " << c.elapsed;
    EXPECT_TRUE(CallsAt(pushes[1] + 1, {{"glScalef", {s + 0.5f, s + 0.5f, s}}})) << "elapsed " << c.elapsed;
    EXPECT_TRUE(CallsAt(pushes[3] + 1, {{"glScalef", {s, s, s}}})) << "elapsed " << c.elapsed;
    seed = seed * 3 + 1;
  }
}

TEST_F(IndustrialGearsEffectTest, CaptionsHaveStrictBoundsAndHalfSineAlphas) {
  const unsigned ymi2 = Id(Slot::lyrics_ymi2), pollution = Id(Slot::lyrics_pollution);
  Frame(1);
  EXPECT_NEAR(AlphaBefore(ymi2), std::sin(0.001 * M_PI / 6), 1e-7);
  EXPECT_FALSE(Bound(pollution));
  Frame(3000);
  EXPECT_NEAR(AlphaBefore(ymi2), 1.0, 1e-6);
  EXPECT_FALSE(Bound(pollution));
  EXPECT_TRUE(PlacedPicture(ymi2, {0.6, -2, -20}, 8, 1));
  Frame(3001);
  EXPECT_TRUE(Bound(pollution));
  EXPECT_NEAR(AlphaBefore(pollution), std::sin(0.001 * M_PI / 7), 1e-7);
  Frame(5999);
  EXPECT_TRUE(Bound(ymi2));
  Frame(6000);
  EXPECT_FALSE(Bound(ymi2));
  Frame(6500);
  EXPECT_NEAR(AlphaBefore(pollution), 1.0, 1e-6);
  EXPECT_TRUE(PlacedPicture(pollution, {1.3 - 2, -2, -10}, 4, 1));
  Frame(9999);
  ExpectFloatPiSine(AlphaBefore(pollution), 9999, 3, 7);
  Frame(10000);
  EXPECT_FALSE(Bound(pollution));
  EXPECT_FALSE(Bound(ymi2));
}

TEST_F(IndustrialGearsEffectTest, TurnsLightZeroOffAndKeepsTheLineStateOfEarlierScenes) {
  Frame(5000);
  EXPECT_TRUE(LeftEnabled({GL_DEPTH_TEST}, {GL_LIGHT0, GL_LIGHTING, GL_COLOR_MATERIAL, GL_TEXTURE_2D, GL_BLEND}));
  EXPECT_EQ(GLRecorder::Count("glLineWidth"), 0);
  EXPECT_EQ(GLRecorder::Count("glHint"), 0);
  EXPECT_EQ(CountCall(Enable(GL_LINE_SMOOTH)), 0);
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 5);  // two pictures, the gears, two captions
  const auto materials = GLRecorder::Named("glMaterialfv");
  ASSERT_EQ(materials.size(), 4u);
  const auto modes = GLRecorder::Named("glPolygonMode");
  EXPECT_TRUE(Matches(modes.back(), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}));
}
