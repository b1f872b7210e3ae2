#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/GreetingsSpiralEffect.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

class GreetingsSpiral : public SceneTest<GreetingsSpiralEffect, EffectId::greetingsSpiral> {
 protected:
  GreetingsSpiralEffect& spiral = scene;
};

}  // namespace

TEST_F(GreetingsSpiral, InitLoadsFivePicturesInOrderAndFillsTheCircle) {
  ExpectNamedInOrder({Slot::greets01, Slot::greets02, Slot::background05, Slot::line01, Slot::ring02});
  ExpectCircleTableCopied(spiral.circlePoints);
}

TEST_F(GreetingsSpiral, ShiftStepsAtTheEndsOfTheDimSlots) {
  const struct {
    int elapsed;
    float shift;
  } rows[] = {{1, 0},        {1699, 0},     {1700, -1},    {4399, -1},    {4400, -2}, {7099, -2},
              {7100, -3},    {9799, -3},    {9800, -4},    {12499, -4},   {12500, -3}, {14999, -3},
              {15000, -2},   {17599, -2},   {17600, -0.5}, {20399, -0.5}, {20400, 0},  {21999, 0}};
  for (const auto& row : rows) {
    Frame(row.elapsed);
    EXPECT_EQ(spiral.shift, row.shift) << row.elapsed;
  }
}

TEST_F(GreetingsSpiral, FadeDropsOneHundredthPerFrameInsideEachSlotAndSnapsBack) {
  Frame(1199);
  EXPECT_EQ(spiral.fade, 1.0f);
  for (int from : {1200, 3900, 6600, 9300, 12000, 14500, 17100, 19900}) {
    Frame(from - 1);
    EXPECT_EQ(spiral.fade, 1.0f) << from;
    Frame(from);
    EXPECT_FLOAT_EQ(spiral.fade, 0.99f) << from;
    Frame(from + 499);  // per frame, not per millisecond
    EXPECT_FLOAT_EQ(spiral.fade, 0.98f) << from;
    Frame(from + 500);
    EXPECT_EQ(spiral.fade, 1.0f) << from;
  }
  // Many frames in one slot: single-precision steps, below 0, passed unclamped.
  float expected = 1.0f;
  for (int k = 0; k < 150; ++k) {
    Frame(3900 + k * 3);
    expected = expected - 0.01f;
    ASSERT_EQ(spiral.fade, expected) << k;
  }
  EXPECT_EQ(GLRecorder::Named("glColor4f")[0].args[3], double(expected));
  EXPECT_LT(expected, -0.49f);
}

TEST_F(GreetingsSpiral, CallStreamUpToTheRingColumnsAndTheEnd) {
  Frame(3000);
  std::vector<std::string> stream;
  for (const GLCall& c : GLRecorder::Calls()) {
    if (c.name == "glPushMatrix") break;
    if (c.name != "glVertex3f" && c.name != "glTexCoord2f") stream.push_back(Line(c.name, c.args));
  }
  const std::vector<std::string> expected = Lines(
      {Identity(), {"glClearColor", {0, 0, 0, 0}}, {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
       Enable(GL_BLEND), Disable(GL_DEPTH_TEST), Enable(GL_TEXTURE_2D), BlendAlpha(),
       Identity(), Translate(-3.0f / 100, 0, -3), Colour(1, 1, 1, 1), Bind(Id(Slot::background05)),
       Begin(GL_QUADS), End(),
       Identity(), Translate(-15.5 + 1, 0, -30 + 1), Colour(1, 1, 1, 1), Bind(Id(Slot::ring02))});  // shift -1
  EXPECT_EQ(stream, expected);
  EXPECT_TRUE(EndsWith(PictureStateOff()));
}

TEST_F(GreetingsSpiral, RingColumnsAreOneHundredUprightSpritesRisingOneUnitPerSecond) {
  Frame(10000);  // shift -4
  const auto& calls = GLRecorder::Calls();
  int i = GLRecorder::Find("glPushMatrix");
  ASSERT_GE(i, 3);
  EXPECT_EQ(Line(calls[i - 1].name, calls[i - 1].args), Line("glBindTexture", {GL_TEXTURE_2D, Id(Slot::ring02)}));
  EXPECT_EQ(Line(calls[i - 3].name, calls[i - 3].args), Line("glTranslatef", {-15.5 + 4, 0, -30 + 4}));
  const std::vector<std::string> sprite = {
      Line("glBegin", {double(GL_QUADS)}), Line("glTexCoord2f", {1, 1}), Line("glVertex3f", {1, -1, 0}),
      Line("glTexCoord2f", {1, 0}),        Line("glVertex3f", {1, 1, 0}), Line("glTexCoord2f", {0, 0}),
      Line("glVertex3f", {-1, 1, 0}),      Line("glTexCoord2f", {0, 1}), Line("glVertex3f", {-1, -1, 0}),
      Line("glEnd", {})};
  for (int k = 0; k < 50; ++k) {
    std::vector<std::string> expected = {Line("glPushMatrix", {}),
                                         Line("glTranslatef", {0, 10.0f - 80.0f + 2.0f * k, 0})};
    expected.insert(expected.end(), sprite.begin(), sprite.end());
    expected.push_back(Line("glTranslatef", {4, 0, 5}));
    expected.insert(expected.end(), sprite.begin(), sprite.end());
    expected.push_back(Line("glPopMatrix", {}));
    std::vector<std::string> got;
    for (std::size_t j = 0; j < expected.size(); ++j, ++i) got.push_back(Line(calls[i].name, calls[i].args));
    ASSERT_EQ(got, expected) << k;
  }
}

TEST_F(GreetingsSpiral, BandsRotateBeforeTheyTranslateAndClimbAsAHelix) {
  Frame(8000);  // shift -3
  const float s = 8.0f;
  const auto& calls = GLRecorder::Calls();
  const int slots[] = {Slot::greets01, Slot::greets02, Slot::line01, Slot::line01};
  const float y0[] = {-0.2f, -1.2f, -2.2f, 0.8f};
  int i = GLRecorder::Find("glRotatef");
  for (int band = 0; band < 4; ++band) {
    ASSERT_GE(i, 1) << band;
    const std::vector<std::string> head = {
        Line("glLoadIdentity", {}), Line("glRotatef", {13.7f * s + 120.0f, 0, 1, 0}),
        Line("glTranslatef", {-3, y0[band] - s / 4.0f, -3}), Line("glBindTexture", {GL_TEXTURE_2D, Id(slots[band])}),
        Line("glColor4f", {1, 1, 1, 1}), Line("glBegin", {double(GL_QUAD_STRIP)})};
    std::vector<std::string> got;
    for (int k = i - 1; k < i + 5; ++k) got.push_back(Line(calls[k].name, calls[k].args));
    EXPECT_EQ(got, head) << band;
    Points v, t;
    int k = i + 5;
    for (; calls[k].name != "glEnd"; ++k) (calls[k].name == "glVertex3f" ? v : t).push_back(calls[k].args);
    ASSERT_EQ(v.size(), 252u) << band;
    ASSERT_EQ(t.size(), 252u) << band;
    // Point q climbs q / 10; the band is 1.5 high.
    ExpectCircleStrip(v, t, [](int q, bool top) {
      const float* c = kCirclePoints[q];
      const float climb = q / 10.0f;
      return std::vector<double>{c[0], top ? c[1] + 1.5f + climb : c[1] + climb, c[2]};
    }, 0);
    i = GLRecorder::Find("glRotatef", k);
  }
  EXPECT_EQ(i, -1);
}
