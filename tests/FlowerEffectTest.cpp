#include "effects/FlowerEffect.h"

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

const Triangle& kPetal = kFirstTriangle;
const Triangle& kStamen = kSecondTriangle;
const Triangle kStem = Tri({-1.0f, -2.0f, 0.5f}, {0.0f, 3.0f, 0.25f}, {1.0f, 0.0f, -1.0f});

class FlowerEffectTest : public MeshSceneTest<FlowerEffect, EffectId::flower> {
 protected:
  FlowerEffectTest()
      : MeshSceneTest({{"flower_petal.tri", {kPetal}, 1320},
                       {"flower_stamen.tri", {kStamen}, 40},
                       {"flower_stem.tri", {kStem}, 808}}) {}

  // The angle of the rotation that carries the spin (third rotation after
  // the flower's translation).
  double SpinRotation() {
    int at = Find(Translate(1, 0, -4));
    EXPECT_GE(at, 0);
    for (int k = 0; k < 3; ++k) at = GLRecorder::Find("glRotatef", at + 1);
    return GLRecorder::Calls()[at].args[0];
  }

  FlowerEffect& flower = scene;
};

void ExpectSame(const Triangle& got, const Triangle& want) {
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(got.vertices[k].x, want.vertices[k].x);
    EXPECT_EQ(got.vertices[k].y, want.vertices[k].y);
    EXPECT_EQ(got.vertices[k].z, want.vertices[k].z);
  }
  EXPECT_EQ(got.normal.x, want.normal.x);
  EXPECT_EQ(got.normal.y, want.normal.y);
  EXPECT_EQ(got.normal.z, want.normal.z);
}

}  // namespace

TEST_F(FlowerEffectTest, InitReadsTheThreeMeshesLoadsTexturesInOrderAndSetsColours) {
  ExpectSame(flower.petals[0], kPetal);
  ExpectSame(flower.petals[1319], kFiller);
  ExpectSame(flower.stamens[0], kStamen);
  ExpectSame(flower.stamens[39], kFiller);
  ExpectSame(flower.stem[0], kStem);
  ExpectSame(flower.stem[807], kFiller);
  ExpectNamedInOrder({Slot::girl, Slot::lyrics_girl, Slot::lyrics_ymi, Slot::background02});
  EXPECT_FALSE(bank.entries[Slot::japo]->Loaded());
  // Only the four missing pictures are reported; the meshes were complete.
  EXPECT_EQ(boxes.boxes.size(), 4u);
  for (const auto& box : boxes.boxes) EXPECT_EQ(box.text.find("model"), std::string::npos) << box.text;

  EXPECT_EQ(flower.spin, 0.0f);
  EXPECT_EQ(flower.spinStep, 0.0f);
  const std::vector<std::pair<const float*, std::vector<float>>> colours = {
      {flower.petalColor, {0.9f, 0.9f, 1.0f, 1.0f}},   {flower.stamenColor, {0.7f, 0.7f, 0.0f, 1.0f}},
      {flower.stemColor, {0.0f, 0.5f, 0.0f, 1.0f}},    {flower.lightAmbient, {0, 0, 0, 1}},
      {flower.lightDiffuse, {1, 1, 1, 1}},             {flower.lightSpecular, {1, 1, 1, 1}}};
  for (const auto& [got, want] : colours)
    for (int k = 0; k < 4; ++k) EXPECT_EQ(got[k], want[k]);
  EXPECT_EQ(flower.lightPosition[0], 0.0f);
  EXPECT_EQ(flower.lightPosition[1], 0.0f);
  EXPECT_EQ(flower.lightPosition[2], 0.0f);
}

TEST_F(FlowerEffectTest, EachTriangleIsLitAndFilledThenOutlinedInBlack) {
  Frame(5000);
  const float* petal = flower.petalColor;
  const int petals = Find(Material(0.9, 0.9, 1, 1));
  ASSERT_GE(petals, 2);
  const GLCall petalColour = Colour(petal[0], petal[1], petal[2], petal[3]);
  EXPECT_TRUE(CallsAt(petals - 2, Joined({
      {{"glPushMatrix", {}}, {"glScalef", {2, 2, 1}}, Material(petal[0], petal[1], petal[2], petal[3]),
       ColorMaterial(), {"glPolygonMode", {GL_FRONT, GL_FILL}}, Enable(GL_LIGHTING), Enable(GL_COLOR_MATERIAL),
       petalColour},
      FilledAndOutlined(kPetal, GL_LINE_LOOP), {petalColour}})));
  // Lighting stays on through each part (the black outline lit is black);
  // each part ends with the material in its colour, unlit, the colour black.
  EXPECT_EQ(CountCall(Enable(GL_LIGHTING)), 4);  // once for the light, once per part
  const int end = Find({"glPopMatrix", {}}, petals);
  EXPECT_TRUE(CallsAt(end - 4, PartEnd(petal[0], petal[1], petal[2], petal[3])));

  // Stamens: outline through vertices 1, 2, 3 only.
  const int stamens = Find(Material(0.7, 0.7, 0, 1));
  ASSERT_GT(stamens, petals);
  EXPECT_TRUE(CallsAt(stamens - 2, {{"glPushMatrix", {}}, {"glScalef", {2, 2, 1}}}));
  const int stamenOutline = Find(Begin(GL_LINE_STRIP), stamens);
  EXPECT_TRUE(CallsAt(stamenOutline - 1, Joined({{Black()}, Drawn(GL_LINE_STRIP, kStamen)})));
  const int stem = Find(Material(0, 0.5, 0, 1));
  ASSERT_GT(stem, stamens);
  EXPECT_TRUE(CallsAt(Find(Begin(GL_TRIANGLES), stem), Drawn(GL_TRIANGLES, kStem)));

  // Every mesh primitive has three vertices, each triangle sends its normal
  // first; 1320 + 40 + 808 filled, outlined by loops except the 40 stamens.
  EXPECT_EQ(MeshPrimitives(), (std::map<int, int>{{GL_TRIANGLES, 2168}, {GL_LINE_LOOP, 2128}, {GL_LINE_STRIP, 40}}));
  EXPECT_EQ(GLRecorder::Count("glPushMatrix"), 3);
  EXPECT_EQ(GLRecorder::Count("glPopMatrix"), 3);
  EXPECT_EQ(CountCall(Enable(GL_NORMALIZE)), 0);
}

TEST_F(FlowerEffectTest, LightIsPlacedUnderThePhotographsMatrixWhileItFlies) {
  Frame(9500);  // t = 9.5: the photograph flies, e = 1.5
  const int photo = Find(Bind(Id(Slot::girl)));
  ASSERT_GE(photo, 0);
  int identity = photo;
  while (GLRecorder::Calls()[identity].name != "glLoadIdentity") --identity;
  EXPECT_TRUE(CallsAt(identity, {Identity(), Translate(9.5f / 100.0f - 1.0f, 0, -5), Translate(0.75, -1.5 / 3.5, 1.5),
                                 Colour(1, 1, 1, 1), Bind(Id(Slot::girl))}));
  ASSERT_TRUE(CallsAt(photo + 1, PictureQuad(2, 1.5)));
  EXPECT_TRUE(CallsAt(photo + 11, Joined({
      LightAt(0, 0, 9.5, 9.5), TiltedAt(1, 0, -4, 9.5f - 80.0f)})));
  EXPECT_EQ(GLRecorder::Count("glLightfv"), 4);
}

TEST_F(FlowerEffectTest, BackgroundTurnsAndPhotographFliesOnlyStrictlyAfterNineSeconds) {
  Frame(9000);
  int photo = Find(Bind(Id(Slot::girl)));
  EXPECT_TRUE(CallsAt(photo - 3, {Identity(), Translate(9.0f / 100.0f - 1.0f, 0, -5), Colour(1, 1, 1, 1)}));
  const int background = Find(Bind(Id(Slot::background02)));
  EXPECT_TRUE(CallsAt(background - 4, {Identity(), Translate(0, 0, -1.4), {"glRotatef", {-9.0f - 20.0f, 0, 1, 0}},
                                       Colour(1, 1, 1, 1), Bind(Id(Slot::background02))}));
  EXPECT_TRUE(CallsAt(background + 1, PictureQuad(1, 1)));

  Frame(9001);
  photo = Find(Bind(Id(Slot::girl)));
  const float e = (9.001f - 9.0f) * 3.0f;
  EXPECT_TRUE(CallsAt(photo - 3, {Translate(9.001f / 100.0f - 1.0f, 0, -5), Translate(e / 2.0f, -e / 3.5, e),
                                  Colour(1, 1, 1, 1)}));
}

TEST_F(FlowerEffectTest, SpinStepsSixInsideTheBurstsAndTheRotationUsesThePreviousSpin) {
  const std::vector<std::pair<int, float>> steps = {
      {1, -0.2f},    {1699, -0.2f}, {1700, 6.0f}, {1799, 6.0f}, {1800, -0.2f}, {4399, -0.2f},
      {4400, 6.0f},  {4499, 6.0f},  {4500, -0.2f}, {7099, -0.2f}, {7100, 6.0f}, {7199, 6.0f},
      {7200, -0.2f}, {9799, -0.2f}, {9800, 6.0f}, {9899, 6.0f}, {9900, -0.2f}, {9999, -0.2f}};
  for (const auto& [elapsed, step] : steps) {
    const float before = flower.spin;
    Frame(elapsed);
    EXPECT_EQ(flower.spinStep, step) << "elapsed " << elapsed;
    EXPECT_EQ(flower.spin, before + step) << "elapsed " << elapsed;
    EXPECT_FLOAT_EQ(SpinRotation(), before - 45.0f) << "elapsed " << elapsed;
  }
  // The same time drawn twice turns the flower twice: the step is per frame.
  const float before = flower.spin;
  Frame(3000);
  Frame(3000);
  EXPECT_FLOAT_EQ(flower.spin, before - 0.4f);
}

TEST_F(FlowerEffectTest, CaptionsHaveStrictBoundsAndHalfSineAlphas) {
  const unsigned ymi = Id(Slot::lyrics_ymi), girl = Id(Slot::lyrics_girl);
  Frame(1);
  EXPECT_TRUE(Bound(ymi));
  EXPECT_FALSE(Bound(girl));
  EXPECT_NEAR(AlphaBefore(ymi), std::sin(0.001 * M_PI / 8), 1e-7);
  Frame(2000);
  EXPECT_FALSE(Bound(girl));
  Frame(2001);
  EXPECT_TRUE(Bound(girl));
  EXPECT_NEAR(AlphaBefore(girl), std::sin(0.001 * M_PI / 8), 1e-7);

  Frame(4000);  // the first caption at its peak, slid 0.8 to the left
  EXPECT_NEAR(AlphaBefore(ymi), 1.0, 1e-6);
  EXPECT_TRUE(PlacedPicture(ymi, {-1.8, -1, -10}, 4, 0.5));
  EXPECT_TRUE(PlacedPicture(girl, {0.8 - 2, -2, -10}, 4, 1));

  Frame(6000);  // the second caption at its peak
  EXPECT_NEAR(AlphaBefore(girl), 1.0, 1e-6);
  Frame(7999);
  EXPECT_TRUE(Bound(ymi));
  Frame(8000);
  EXPECT_FALSE(Bound(ymi));
  EXPECT_TRUE(Bound(girl));
  Frame(9999);
  EXPECT_TRUE(Bound(girl));
  ExpectFloatPiSine(AlphaBefore(girl), 9999, 2, 8);
}

TEST_F(FlowerEffectTest, LeavesLightZeroOnAndTheSharedStateAsOtherScenesExpect) {
  Frame(5000);
  EXPECT_TRUE(CallsAt(0, Joined({{Identity()}, ClearTo(0, 0, 0.5)})));
  EXPECT_TRUE(LeftEnabled({GL_DEPTH_TEST, GL_LIGHT0}, {GL_TEXTURE_2D, GL_BLEND, GL_LIGHTING, GL_COLOR_MATERIAL}));
  const auto modes = GLRecorder::Named("glPolygonMode");
  ASSERT_FALSE(modes.empty());
  EXPECT_TRUE(Matches(modes.back(), {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}));
  EXPECT_EQ(CountCall({"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}}), 1);
  for (const GLCall& c : GLRecorder::Named("glBlendFunc"))
    EXPECT_TRUE(Matches(c, BlendAlpha()));
  // The flower sets no line state: the widths of other scenes stay.
  EXPECT_EQ(GLRecorder::Count("glLineWidth"), 0);
  EXPECT_EQ(CountCall(Enable(GL_LINE_SMOOTH)), 0);
}
