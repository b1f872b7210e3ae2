#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/ClosingCreditsEffect.h"
#include "services/Random.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

constexpr int kEarlierInitDraws = 1360;  // the scenes initialised before this one

class ClosingCredits : public SceneTest<ClosingCreditsEffect, EffectId::closingCredits> {
 protected:
  // The generator as the start-up leaves it for this scene's Init.
  void BeforeInit() override { StartUpGenerator(kEarlierInitDraws); }
  bool Bound(int slot) { return Binds(Id(slot)) > 0; }
};

}  // namespace

TEST_F(ClosingCredits, InitLoadsTexturesInOrder) {
  ExpectNamedInOrder({Slot::background06, Slot::finalcredits, Slot::ruxoparty, Slot::line02});
  EXPECT_EQ(scene.pi, 3.14159274f);
}

TEST_F(ClosingCredits, FirstLinesStartWhereTheStartUpSequencePutsThem) {
  const FallingLine& a = scene.lines[0];
  EXPECT_FLOAT_EQ(a.alpha, 0.15f);
  EXPECT_FLOAT_EQ(a.x, 12.0f);
  EXPECT_FLOAT_EQ(a.halfHeight, 0.5f);
  EXPECT_FLOAT_EQ(a.fallSpeed, 0.005f);
  EXPECT_EQ(a.y, -10.0f);
  const FallingLine& b = scene.lines[1];
  EXPECT_FLOAT_EQ(b.alpha, 0.1f);
  EXPECT_FLOAT_EQ(b.x, -22.0f / 3.0f);  // a fraction: the division is not an integer one
  EXPECT_FLOAT_EQ(b.halfHeight, 1.7f);
  EXPECT_FLOAT_EQ(b.fallSpeed, 0.017f);
  EXPECT_EQ(b.y, 11.0f);
}

TEST_F(ClosingCredits, InitDrawsExactly512Values) {
  const std::uint32_t after = Random::State();
  StartUpGenerator(kEarlierInitDraws + 512);
  EXPECT_EQ(Random::State(), after);
}

TEST_F(ClosingCredits, LinesAreDrawnBeforeTheyFallAndNeverComeBack) {
  const float y0 = scene.lines[0].y, y1 = scene.lines[1].y;
  Frame(100);
  std::vector<GLCall> translates = GLRecorder::Named("glTranslatef");
  // background, the lines' group, then one per line
  ASSERT_GE(translates.size(), 2u + 128u);
  EXPECT_EQ(translates[1].args, (std::vector<double>{0, 0, -30}));
  EXPECT_EQ(translates[2].args, (std::vector<double>{12, y0, 0}));
  EXPECT_EQ(translates[3].args, (std::vector<double>{scene.lines[1].x, y1, 0}));
  EXPECT_EQ(scene.lines[0].y, y0 - 0.005f);

  // One step per frame, however much time passed between frames.
  Frame(15000);
  translates = GLRecorder::Named("glTranslatef");
  EXPECT_EQ(translates[2].args[1], y0 - 0.005f);
  EXPECT_EQ(scene.lines[0].y, y0 - 0.005f - 0.005f);
  EXPECT_EQ(scene.lines[1].y, y1 - scene.lines[1].fallSpeed - scene.lines[1].fallSpeed);

  // Far below the view a line keeps falling; nothing wraps it around.
  float y = scene.lines[0].y;
  for (int i = 0; i < 5000; ++i) {
    Frame(1 + i % 17000);
    y -= 0.005f;
  }
  EXPECT_EQ(scene.lines[0].y, y);
  EXPECT_LT(scene.lines[0].y, -30.0f);
  EXPECT_EQ(scene.lines[0].x, 12.0f);
  EXPECT_FLOAT_EQ(scene.lines[0].alpha, 0.15f);
}

TEST_F(ClosingCredits, EachLineIsItsOwnQuadBetweenPushAndPop) {
  Frame(100);
  const auto& calls = GLRecorder::Calls();
  int i = GLRecorder::Find("glPushMatrix");
  for (int k = 0; k < ClosingCreditsEffect::kLines; ++k, i += 14) {
    ASSERT_EQ(calls[i].name, "glPushMatrix");
    ASSERT_EQ(calls[i + 2].name, "glColor4f");
    EXPECT_EQ(calls[i + 2].args, (std::vector<double>{1, 1, 1, scene.lines[k].alpha})) << "line " << k;
    ASSERT_EQ(calls[i + 3].name, "glBegin");
    ASSERT_EQ(calls[i + 12].name, "glEnd");
    ASSERT_EQ(calls[i + 13].name, "glPopMatrix");
  }
  const std::vector<Primitive> quads = Quads();
  EXPECT_EQ(quads[1].vertices, PictureCorners(1, scene.lines[0].halfHeight));
  EXPECT_EQ(quads[1].texCoords, PictureTexCoords());
}

TEST_F(ClosingCredits, FrameClearsToBlackAndDrawsBackgroundPanelAndCredits) {
  Frame(2000);
  EXPECT_TRUE(CallsAt(0, Joined({{Identity()}, ClearTo(0, 0, 0)}), 0));

  const std::vector<Primitive> quads = Quads();
  ASSERT_EQ(quads.size(), 1u + 128u + 2u);  // no right picture yet
  EXPECT_EQ(quads[0].vertices, PictureCorners(1.82f, 1));
  EXPECT_EQ(quads[0].texCoords, PictureTexCoords());
  const Primitive& panel = quads[129];
  EXPECT_EQ(panel.vertices, PictureCorners(1, 1));
  EXPECT_TRUE(panel.texCoords.empty());
  EXPECT_EQ(quads[130].vertices, PictureCorners(1, 1));
  EXPECT_EQ(quads[130].texCoords, PictureTexCoords());

  // Ends with texturing and blending off and the depth test on.
  EXPECT_TRUE(EndsWith(PictureStateOff()));
}

TEST_F(ClosingCredits, DarkPanelAlphaGrowsUnclamped) {
  auto panelAlpha = [&] {
    for (const GLCall& c : GLRecorder::Named("glColor4f"))
      if (c.args[0] == 0 && c.args[1] == 0 && c.args[2] == 0) return c.args[3];
    return -1.0;
  };
  Frame(1);
  EXPECT_FLOAT_EQ(panelAlpha(), 0.3001f);
  Frame(7000);
  EXPECT_FLOAT_EQ(panelAlpha(), 1.0f);
  Frame(17999);
  EXPECT_FLOAT_EQ(panelAlpha(), 2.0999f);
}

TEST_F(ClosingCredits, RightPictureStrictlyAfterFiveSeconds) {
  Frame(5000);
  EXPECT_FALSE(Bound(Slot::ruxoparty));
  Frame(5001);
  ASSERT_TRUE(Bound(Slot::ruxoparty));
  EXPECT_NEAR(GLRecorder::Named("glColor4f").back().args[3], std::sin(3.14159274 * 0.001 / 15), 1e-6);
  EXPECT_EQ(GLRecorder::Named("glTranslatef").back().args, (std::vector<double>{2, 0, -8}));
  const Primitive right = Quads().back();
  EXPECT_EQ(right.vertices, PictureCorners(2, 1));
  EXPECT_EQ(right.texCoords, PictureTexCoords());

  Frame(12500);
  EXPECT_NEAR(GLRecorder::Named("glColor4f").back().args[3], 1.0, 1e-6);
  Frame(17999);
  EXPECT_NEAR(GLRecorder::Named("glColor4f").back().args[3], 0.4067, 1e-3);
}
