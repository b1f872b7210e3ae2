#include "effects/IndustrialGearsEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "services/Random.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/MeshScenes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

const int kStart = SceneStart(EffectId::industrialGears);  // the scene's window, from the timeline

const Triangle& kFirst = kFirstTriangle;

class IndustrialGearsEffectTest : public MeshSceneTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok);
    dir.WriteTri("gear.tri", {kFirst}, 240, kFiller);
    GLRecorder::Clear();
    Random::Seed(777);
    gears.Init();
    drawsInInit = Random::State() != 777;
  }

  void Frame(int elapsed) {
    GLRecorder::Clear();
    gears.Render(kStart + elapsed, kStart);
  }

  // Indices of the four gears' glPushMatrix calls.
  std::vector<int> GearPushes() {
    std::vector<int> out;
    for (int at = GLRecorder::Find("glPushMatrix"); at >= 0; at = GLRecorder::Find("glPushMatrix", at + 1))
      out.push_back(at);
    return out;
  }

  IndustrialGearsEffect gears{&bank};
  bool drawsInInit = false;
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
  EXPECT_FALSE(drawsInInit);
  EXPECT_EQ(gears.gear[0].vertices[1].x, 1.5f);
  EXPECT_EQ(gears.gear[0].normal.z, kFirst.normal.z);
  EXPECT_EQ(gears.gear[239].vertices[2].y, 1.0f);
  EXPECT_EQ(Id(Slot::industry), 1u);
  EXPECT_EQ(Id(Slot::background03), 2u);
  EXPECT_EQ(Id(Slot::lyrics_pollution), 3u);
  EXPECT_EQ(Id(Slot::lyrics_ymi2), 4u);
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
  EXPECT_TRUE(CallsAt(0, {{"glClearColor", {1, 1, 1, 0}}, {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
                          Enable(GL_TEXTURE_2D), Enable(GL_BLEND), Disable(GL_DEPTH_TEST),
                          {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}},
                          {"glLoadIdentity", {}}, {"glTranslatef", {-0.02, 0, -3}}, {"glColor4f", {1, 1, 1, 1}},
                          Bind(Id(Slot::background03))}));
  EXPECT_TRUE(CallsAt(10, PictureQuad(2, 1)));
  EXPECT_TRUE(CallsAt(20, {{"glLoadIdentity", {}}, {"glTranslatef", {0.5f - 0.02f, 0.2f - 0.02f, -4}},
                           {"glColor4f", {1, 1, 1, 1}}, Bind(Id(Slot::industry))}));
  EXPECT_TRUE(CallsAt(24, PictureQuad(2, 1.5)));
  EXPECT_TRUE(CallsAt(34, {
      Disable(GL_TEXTURE_2D), Disable(GL_BLEND), Enable(GL_DEPTH_TEST),
      {"glLightfv", {GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1}},
      {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}},
      {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1}},
      {"glLightfv", {GL_LIGHT0, GL_POSITION, 2, 0, -48, 1}},
      Enable(GL_LIGHT0), Enable(GL_LIGHTING), {"glShadeModel", {GL_SMOOTH}}, Enable(GL_DEPTH_TEST),
      {"glLoadIdentity", {}}, {"glTranslatef", {-2.5, 0, -7}}, {"glRotatef", {70, 0, 1, 0}}}));

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
  EXPECT_TRUE(CallsAt(first, {
      {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}},
      Enable(GL_LIGHTING), Enable(GL_COLOR_MATERIAL), {"glColor4f", {0.5, 0.5, 0.5, 1}},
      Begin(GL_TRIANGLES), Normal(kFirst.normal),
      Vertex(kFirst.vertices[0]), Vertex(kFirst.vertices[1]), Vertex(kFirst.vertices[2]), End(),
      {"glColor3f", {0, 0, 0}},
      Begin(GL_LINES), Vertex(kFirst.vertices[0]), Vertex(kFirst.vertices[1]), Vertex(kFirst.vertices[2]), End(),
      {"glColor4f", {0.5, 0.5, 0.5, 1}}}));
  // Lighting stays on through each gear (a lit black edge is black); each
  // gear ends unlit, with the material grey and the colour black.
  EXPECT_EQ(CountCall(Enable(GL_LIGHTING)), 5);
  const int pop = Find({"glPopMatrix", {}}, first);
  EXPECT_TRUE(CallsAt(pop - 4, {{"glColor4f", {0.5, 0.5, 0.5, 1}}, Disable(GL_LIGHTING), Disable(GL_COLOR_MATERIAL),
                                {"glColor3f", {0, 0, 0}}, {"glPopMatrix", {}}}));
  int triangles = 0, lines = 0, others = 0;
  for (const Primitive& p : Primitives()) {
    if (p.mode == GL_QUADS) continue;
    EXPECT_EQ(p.vertices.size(), 3u);
    triangles += p.mode == GL_TRIANGLES;
    lines += p.mode == GL_LINES;
    others += p.mode != GL_TRIANGLES && p.mode != GL_LINES;
  }
  EXPECT_EQ(triangles, 960);
  EXPECT_EQ(lines, 960);
  EXPECT_EQ(others, 0);
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
  int at = Find(Bind(ymi2));
  EXPECT_TRUE(CallsAt(at - 3, {{"glLoadIdentity", {}}, {"glTranslatef", {0.6, -2, -20}}}));
  EXPECT_TRUE(CallsAt(at + 1, PictureQuad(8, 1)));
  Frame(3001);
  EXPECT_TRUE(Bound(pollution));
  EXPECT_NEAR(AlphaBefore(pollution), std::sin(0.001 * M_PI / 7), 1e-7);
  Frame(5999);
  EXPECT_TRUE(Bound(ymi2));
  Frame(6000);
  EXPECT_FALSE(Bound(ymi2));
  Frame(6500);
  EXPECT_NEAR(AlphaBefore(pollution), 1.0, 1e-6);
  at = Find(Bind(pollution));
  EXPECT_TRUE(CallsAt(at - 3, {{"glLoadIdentity", {}}, {"glTranslatef", {1.3 - 2, -2, -10}}}));
  EXPECT_TRUE(CallsAt(at + 1, PictureQuad(4, 1)));
  Frame(9999);
  // Near the end the sine is small and shows which pi was used: the float one.
  EXPECT_FLOAT_EQ(AlphaBefore(pollution), std::sin(static_cast<double>((9.999f - 3.0f) * 3.14159274f / 7.0f)));
  EXPECT_GT(std::fabs(AlphaBefore(pollution) - std::sin(6.999 * M_PI / 7)), 1e-8);
  Frame(10000);
  EXPECT_FALSE(Bound(pollution));
  EXPECT_FALSE(Bound(ymi2));
}

TEST_F(IndustrialGearsEffectTest, TurnsLightZeroOffAndKeepsTheLineStateOfEarlierScenes) {
  Frame(5000);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(GLRecorder::Count("glLineWidth"), 0);
  EXPECT_EQ(GLRecorder::Count("glHint"), 0);
  EXPECT_EQ(CountCall(Enable(GL_LINE_SMOOTH)), 0);
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 5);  // two pictures, the gears, two captions
  const auto materials = GLRecorder::Named("glMaterialfv");
  ASSERT_EQ(materials.size(), 4u);
  const auto modes = GLRecorder::Named("glPolygonMode");
  EXPECT_TRUE(Matches(modes.back(), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}));
}
