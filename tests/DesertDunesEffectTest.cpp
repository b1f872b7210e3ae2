#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/DesertDunesEffect.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

using Args = std::vector<double>;
const int kFirstStart = SceneStart(EffectId::desertDunes, 0), kSecondStart = SceneStart(EffectId::desertDunes, 1);
constexpr int kCells = 256;

class DesertDunes : public SceneTest<DesertDunesEffect, EffectId::desertDunes> {
 protected:
  // Index of the first glLoadIdentity issued while the model-view matrix is selected.
  static int FirstModelviewIdentity() {
    double mode = GL_MODELVIEW;
    const auto& calls = GLRecorder::Calls();
    for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
      if (calls[i].name == "glMatrixMode") mode = calls[i].args[0];
      if (calls[i].name == "glLoadIdentity" && mode == GL_MODELVIEW) return i;
    }
    return -1;
  }

  // Index of the bind of an overlay's texture, or -1 when it is not drawn.
  int OverlayBind(int slot) const {
    for (int i : Indices("glBindTexture"))
      if (At(i).args[1] == Id(slot)) return i;
    return -1;
  }

  // Reference height: sines in double of (integer + float phase), one rounding.
  static float Height(int r, int c, float phase) {
    const double sr = std::sin(static_cast<double>(static_cast<float>(r) + phase));
    const double sc = std::sin(static_cast<double>(static_cast<float>(c) + phase));
    return static_cast<float>((sr + sc) * static_cast<double>(0.3f) * sr);
  }

  DesertDunesEffect& dunes = scene;
};

}  // namespace

TEST_F(DesertDunes, InitSetsItsValuesAndLoadsFiveTexturesInOrder) {
  EXPECT_EQ(dunes.phase, 2.0f);
  EXPECT_EQ(dunes.gridSize, 16);
  EXPECT_EQ(dunes.amplitude, 0.3f);
  EXPECT_EQ(dunes.pi, 3.14159274f);
  EXPECT_FALSE(drawnByInit);
  ExpectNamedInOrder({Slot::sand, Slot::skyday, Slot::lumivane, Slot::lyrics_desert, Slot::lyrics_whats});
}

TEST_F(DesertDunes, FirstWindowAloneHasItsOwnProjectionPushedAndPopped) {
  FrameAt(4250);  // u = 2.125
  const int push = GLRecorder::Find("glPushMatrix");
  ASSERT_GE(push, 1);
  EXPECT_EQ(At(push - 1).args, Args{GL_PROJECTION});
  EXPECT_EQ(At(push + 1).name, "glLoadIdentity");
  EXPECT_EQ(At(push + 2).name, "gluPerspective");
  EXPECT_EQ(At(push + 2).args, (Args{60 * 2.125f / 4, 1.0, static_cast<double>(0.1f), 100.0}));
  EXPECT_EQ(At(push + 3).args, Args{GL_MODELVIEW});
  const std::vector<int> begins = Indices("glBegin");
  ASSERT_EQ(begins.size(), 1u + kCells);  // sky and terrain, no overlay
  const int pop = GLRecorder::Find("glPopMatrix");
  ASSERT_GT(pop, begins.back());
  EXPECT_EQ(At(pop - 1).args, Args{GL_PROJECTION});
  EXPECT_EQ(At(pop + 1).args, Args{GL_MODELVIEW});
  EXPECT_EQ(GLRecorder::Count("glPushMatrix") + GLRecorder::Count("glPopMatrix"), 2);

  FrameAt(1);  // almost no field of view at the start
  EXPECT_NEAR(GLRecorder::Named("gluPerspective")[0].args[0], 0.0075, 1e-9);

  for (int now : {15751, 24000, 32499}) {
    FrameAt(now);
    EXPECT_EQ(GLRecorder::Count("gluPerspective") + GLRecorder::Count("glPushMatrix") +
                  GLRecorder::Count("glPopMatrix") + GLRecorder::Count("glMatrixMode"),
              0)
        << now;
  }
}

TEST_F(DesertDunes, LightsAreSetBeforeTheModelviewReset) {
  for (int start : {kFirstStart, kSecondStart}) {
    FrameAt(start + 3000);  // u = 1.5
    const std::vector<GLCall> lights = GLRecorder::Named("glLightfv");
    ASSERT_EQ(lights.size(), 6u);
    EXPECT_EQ(lights[0].args, (Args{GL_LIGHT1, GL_AMBIENT, 1, 1, 1, 1}));
    EXPECT_EQ(lights[1].args, (Args{GL_LIGHT1, GL_DIFFUSE, 1, 1, 1, 1}));
    EXPECT_EQ(lights[2].args, (Args{GL_LIGHT1, GL_POSITION, 2.25, 10, 10, 1}));  // x = u^2
    EXPECT_EQ(lights[3].args, (Args{GL_LIGHT2, GL_AMBIENT, 1, 1, 1, 1}));
    EXPECT_EQ(lights[4].args, (Args{GL_LIGHT2, GL_DIFFUSE, 0.6f, 0.6f, 0.6f, 1}));
    EXPECT_EQ(lights[5].args, (Args{GL_LIGHT2, GL_POSITION, 10, 100, 200, 1}));
    const int reset = FirstModelviewIdentity();
    EXPECT_LT(Indices("glLightfv").back(), reset) << start;
    int lighting = -1;
    for (int i : Indices("glEnable"))
      if (At(i).args[0] == GL_LIGHTING && lighting < 0) lighting = i;
    EXPECT_LT(lighting, reset) << start;
    EXPECT_GE(lighting, 0) << start;
    for (const GLCall& c : GLRecorder::Calls())  // GL_LIGHT0 is left as it is
      EXPECT_FALSE((c.name == "glEnable" || c.name == "glDisable") && c.args[0] == GL_LIGHT0);
  }
}

TEST_F(DesertDunes, SkyThenTerrainCellsInRowOrderWithoutDepthTest) {
  FrameAt(19750);  // u = 2, title overlay due
  const std::vector<int> begins = Indices("glBegin");
  ASSERT_EQ(begins.size(), 2u + kCells);
  const int sky = begins[0];
  ASSERT_GE(sky, 4);
  EXPECT_TRUE(CallsAt(sky - 4, {Translate(0, 25, -70.4f),  // receding by u/5
                                Colour(1, 1, 1, 1), Bind(Id(Slot::skyday)), {"glNormal3f", {0, 0, 1}}}, 0));
  EXPECT_EQ(GLRecorder::Count("glNormal3f"), 1);  // the terrain uses this normal too
  ExpectPictureQuad(sky, 120, 20);

  const int t = GLRecorder::Find("glTranslatef", sky);
  EXPECT_TRUE(CallsAt(t - 1, {Identity(), Translate(2, 0, -12),  // 3 - u/2
                              {"glRotatef", {8, 1, 0, 0}}, {"glRotatef", {8, 0, 1, 0}}, {"glScalef", {2, 1, 1}},
                              Bind(Id(Slot::sand))}, 0));

  const float s = 1.0f / 16;
  for (int cell = 0; cell < kCells; ++cell) {
    const int a = -8 + cell / 16, b = -8 + cell % 16, i = begins[1 + cell];
    SCOPED_TRACE("cell a=" + std::to_string(a) + " b=" + std::to_string(b));
    ASSERT_EQ(At(i + 9).name, "glEnd");
    EXPECT_EQ(At(i - 3).args, Args{GL_TEXTURE_2D});
    EXPECT_EQ(At(i - 2).args, (Args{GL_FRONT, GL_FILL}));
    EXPECT_EQ(At(i - 1).args, Args{GL_LIGHTING});
    const int rows[4] = {a, a + 1, a + 1, a}, cols[4] = {b, b, b + 1, b + 1};
    for (int k = 0; k < 4; ++k) {
      ASSERT_EQ(At(i + 1 + 2 * k).name, "glTexCoord2f");
      EXPECT_EQ(At(i + 1 + 2 * k).args, (Args{(cols[k] + 8) * s, (rows[k] + 8) * s}));
      EXPECT_EQ(At(i + 2 + 2 * k).args,
                (Args{double(cols[k]), Height(rows[k], cols[k], 2.0f), 2.0 * rows[k]}));
    }
  }
  // a = b = -8, phase 2: 0.6 sin^2(-6)
  EXPECT_NEAR(At(begins[1] + 2).args[1], 0.6 * std::sin(-6.0) * std::sin(-6.0), 1e-6);
  for (int i = sky; i < begins[kCells]; ++i)
    EXPECT_FALSE(At(i).name == "glEnable" && At(i).args[0] == GL_DEPTH_TEST) << i;
}

TEST_F(DesertDunes, PhaseStandsStillUpTo24000ThenAdvancesPerFrameAfterDrawing) {
  FrameAt(8499);
  FrameAt(24000);
  EXPECT_EQ(dunes.phase, 2.0f);

  FrameAt(24001);
  const float step = static_cast<float>(24001 - kSecondStart) / 2000 / 1000;  // u / 1000
  EXPECT_EQ(dunes.phaseStep, step);
  EXPECT_EQ(dunes.phase, 2.0f + step);
  EXPECT_EQ(At(Indices("glBegin")[1] + 2).args[1], Height(-8, -8, 2.0f));  // drawn before the advance
  FrameAt(24001);  // the same time again: another step
  EXPECT_EQ(dunes.phase, 2.0f + step + step);
  EXPECT_EQ(At(Indices("glBegin")[1] + 2).args[1], Height(-8, -8, 2.0f + step));

  FrameAt(32000);  // the step grows with u
  EXPECT_EQ(dunes.phaseStep, 8.125f / 1000);
  // The first window neither resets nor advances it.
  const float reached = dunes.phase;
  FrameAt(100);
  EXPECT_EQ(dunes.phase, reached);
}

TEST_F(DesertDunes, OverlaysOnlyStrictlyInsideTheirSpans) {
  struct Case {
    int now;
    bool title, whats, desert;
  };
  const Case cases[] = {
      {17000, 0, 0, 0}, {17001, 1, 0, 0}, {20000, 1, 0, 0}, {20001, 1, 1, 0}, {24999, 1, 1, 0}, {25000, 0, 1, 0},
      {26999, 0, 1, 0}, {27000, 0, 0, 0}, {27001, 0, 0, 1}, {32499, 0, 0, 1}, {32500, 0, 0, 0},
  };
  for (const Case& c : cases) {
    FrameAt(c.now, kSecondStart);  // up to the window's end itself, where the last line must be gone
    EXPECT_EQ(OverlayBind(Slot::lumivane) >= 0, c.title) << c.now;
    EXPECT_EQ(OverlayBind(Slot::lyrics_whats) >= 0, c.whats) << c.now;
    EXPECT_EQ(OverlayBind(Slot::lyrics_desert) >= 0, c.desert) << c.now;
    EXPECT_EQ(GLRecorder::Count("glBegin"), 1 + kCells + c.title + c.whats + c.desert) << c.now;
  }
}

TEST_F(DesertDunes, OverlaysFadeByHalfSinesAndDriftApart) {
  struct Case {
    int now, slot;
    double alpha;
    Args place;
  };
  const Case cases[] = {
      {19000, Slot::lumivane, std::sin(M_PI / 4), {0, 0, -3}},
      {21000, Slot::lumivane, 1.0, {0, 0, -3}},
      {21000, Slot::lyrics_whats, std::sin(M_PI / 7), {1 - 2.625f / 5, -1, -10}},
      {23500, Slot::lyrics_whats, 1.0, {1 - 3.875f / 5, -1, -10}},
      {29750, Slot::lyrics_desert, 1.0, {7.0f / 5 - 1, -2, -10}},
      {32499, Slot::lyrics_desert, std::sin(M_PI * 5.499 / 5.5), {8.3745f / 5 - 1, -2, -10}},
  };
  for (const Case& c : cases) {
    FrameAt(c.now);
    const int bind = OverlayBind(c.slot);
    ASSERT_GE(bind, 3) << c.now;
    EXPECT_NEAR(At(bind - 1).args[3], c.alpha, 1e-5) << c.now;
    EXPECT_TRUE(CallsAt(bind - 3, {Identity(), {"glTranslatef", c.place}}, 0)) << c.now;
    ExpectPictureQuad(bind + 1, c.slot == Slot::lumivane ? 1 : 4, 1);
  }
  // The title comes before the lyric line.
  FrameAt(23500);
  EXPECT_LT(OverlayBind(Slot::lumivane), OverlayBind(Slot::lyrics_whats));
}

TEST_F(DesertDunes, ClearsToTheDaySkyAndLeavesTheStandardState) {
  for (int now : {4000, 21000, 29750}) {
    FrameAt(now);
    EXPECT_EQ(At(0).name, "glClearColor");
    EXPECT_EQ(At(0).args, (Args{0.67f, 0.74f, 0.95f, 0}));
    EXPECT_EQ(At(1).args, Args{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});
    for (GLenum cap : {GL_TEXTURE_2D, GL_BLEND, GL_LIGHTING, GL_LIGHT1, GL_LIGHT2}) EXPECT_FALSE(glIsEnabled(cap));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << now;
    for (const GLCall& c : GLRecorder::Named("glBlendFunc"))
      EXPECT_EQ(c.args, (Args{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  }
}
