#include <gtest/gtest.h>

#include <GL/gl.h>

#include "effects/FadeEffects.h"
#include "effects/LetterboxEffect.h"
#include "tests/support/GLRecorder.h"

namespace {

GLCall LastColour() {
  auto colours = GLRecorder::Named("glColor4f");
  return colours.empty() ? GLCall{} : colours.back();
}

}  // namespace

TEST(Faders, AlphaRunsOverTheDurationUnclamped) {
  FadeInEffect in(nullptr);
  FadeOutEffect out(nullptr);
  in.SetParam(1, 1000.0f);
  in.SetParam(2, 1.0f);
  out.SetParam(1, 1000.0f);
  out.SetParam(2, 0.0f);
  struct Case {
    int elapsed;
    double in, out;
  } cases[] = {{1, 0.999, 0.001}, {250, 0.75, 0.25}, {1000, 0.0, 1.0}, {1500, -0.5, 1.5}};
  for (const Case& c : cases) {
    GLRecorder::Clear();
    in.Render(10000 + c.elapsed, 10000);
    GLCall colour = LastColour();
    ASSERT_EQ(colour.args.size(), 4u);
    EXPECT_FLOAT_EQ(colour.args[0], 1.0f);
    EXPECT_FLOAT_EQ(colour.args[3], static_cast<float>(c.in));
    GLRecorder::Clear();
    out.Render(10000 + c.elapsed, 10000);
    colour = LastColour();
    EXPECT_FLOAT_EQ(colour.args[0], 0.0f);
    EXPECT_FLOAT_EQ(colour.args[3], static_cast<float>(c.out));
  }
}

TEST(Faders, UnknownParameterCodesChangeNothing) {
  FadeOutEffect out(nullptr);
  out.SetParam(1, 2000.0f);
  out.SetParam(2, 0.25f);
  out.SetParam(0, 7.0f);
  out.SetParam(3, 9.0f);
  GLRecorder::Clear();
  out.Render(1000, 0);
  GLCall colour = LastColour();
  EXPECT_FLOAT_EQ(colour.args[0], 0.25f);
  EXPECT_FLOAT_EQ(colour.args[3], 0.5f);
}

TEST(Faders, QuadOnTheNearPlaneWithBlendingOnAndDepthTestBackOn) {
  FadeInEffect in(nullptr);
  in.SetParam(1, 1000.0f);
  in.SetParam(2, 0.0f);
  GLRecorder::Clear();
  in.Render(500, 0);
  const auto& calls = GLRecorder::Calls();
  ASSERT_EQ(calls.front().name, "glEnable");
  EXPECT_EQ(calls.front().args[0], GL_BLEND);
  auto vertices = GLRecorder::Named("glVertex3f");
  ASSERT_EQ(vertices.size(), 4u);
  const double expected[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(vertices[i].args[0], expected[i][0]);
    EXPECT_EQ(vertices[i].args[1], expected[i][1]);
  }
  EXPECT_EQ(calls.back().name, "glEnable");
  EXPECT_EQ(calls.back().args[0], GL_DEPTH_TEST);
  EXPECT_EQ(GLRecorder::Count("glTexCoord2f"), 0);
  EXPECT_EQ(GLRecorder::Count("glNormal3f"), 0);
}

TEST(Letterbox, TwoOpaqueBlackBarsAndFilledPolygons) {
  LetterboxEffect box(nullptr);
  GLRecorder::Clear();
  box.Render(1, 0);
  auto colour = LastColour();
  EXPECT_EQ(colour.args, (std::vector<double>{0, 0, 0, 1}));
  auto modes = GLRecorder::Named("glPolygonMode");
  ASSERT_EQ(modes.size(), 2u);
  EXPECT_EQ(modes[0].args, (std::vector<double>{GL_BACK, GL_FILL}));
  EXPECT_EQ(modes[1].args, (std::vector<double>{GL_FRONT, GL_FILL}));
  auto moves = GLRecorder::Named("glTranslatef");
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_FLOAT_EQ(moves[0].args[1], 1.03f);
  EXPECT_FLOAT_EQ(moves[1].args[1], -1.03f);
  EXPECT_EQ(GLRecorder::Count("glBegin"), 2);
  EXPECT_EQ(GLRecorder::Count("glEnable") + GLRecorder::Count("glDisable"), 0);  // no other state
}
