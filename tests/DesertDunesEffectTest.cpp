#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/DesertDunesEffect.h"
#include "services/Random.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kFirstStart = 0, kSecondStart = 15750;
constexpr int kCells = 256;

class DesertDunes : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    dunes.Init();
    GLRecorder::Clear();
  }

  // Render one frame with a clean call list.
  void Frame(int now, int start) {
    GLRecorder::Clear();
    dunes.Render(now, start);
  }

  unsigned Id(int slot) const { return bank.entries[slot]->Id(); }

  // glBegin indices of this frame, in order.
  static std::vector<int> Begins() {
    std::vector<int> out;
    for (int i = GLRecorder::Find("glBegin"); i >= 0; i = GLRecorder::Find("glBegin", i + 1)) out.push_back(i);
    return out;
  }

  static int Binds(unsigned id) {
    int n = 0;
    for (const GLCall& c : GLRecorder::Named("glBindTexture")) n += c.args[1] == id;
    return n;
  }

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

  // The colour and translation sent right before the bind of an overlay.
  struct Overlay {
    bool drawn = false;
    double alpha = 0, x = 0, y = 0, z = 0;
  };
  Overlay OverlayOf(int slot) const {
    Overlay o;
    const auto& calls = GLRecorder::Calls();
    for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
      if (calls[i].name != "glBindTexture" || calls[i].args[1] != Id(slot)) continue;
      o.drawn = true;
      EXPECT_EQ(calls[i - 1].name, "glColor4f");
      EXPECT_EQ(calls[i - 2].name, "glTranslatef");
      o.alpha = calls[i - 1].args[3];
      o.x = calls[i - 2].args[0];
      o.y = calls[i - 2].args[1];
      o.z = calls[i - 2].args[2];
    }
    return o;
  }

  // Reference height: sines in double of (integer + float phase), one rounding.
  static float Height(int r, int c, float phase) {
    const double sr = std::sin(static_cast<double>(static_cast<float>(r) + phase));
    const double sc = std::sin(static_cast<double>(static_cast<float>(c) + phase));
    return static_cast<float>((sr + sc) * static_cast<double>(0.3f) * sr);
  }

  RecordingBoxes boxes;
  TextureBank bank;
  DesertDunesEffect dunes{&bank};
};

}  // namespace

TEST_F(DesertDunes, InitSetsItsValuesAndLoadsFiveTexturesInOrder) {
  TextureBank fresh;
  DesertDunesEffect effect{&fresh};
  const std::uint32_t state = Random::State();
  GLRecorder::Clear();
  effect.Init();
  EXPECT_EQ(effect.phase, 2.0f);
  EXPECT_EQ(effect.gridSize, 16);
  EXPECT_EQ(effect.amplitude, 0.3f);
  EXPECT_EQ(effect.pi, 3.14159274f);
  EXPECT_EQ(Random::State(), state);
  // Texture names are handed out in load order.
  EXPECT_EQ(fresh.entries[Slot::sand]->Id(), 1u);
  EXPECT_EQ(fresh.entries[Slot::skyday]->Id(), 2u);
  EXPECT_EQ(fresh.entries[Slot::lumivane]->Id(), 3u);
  EXPECT_EQ(fresh.entries[Slot::lyrics_desert]->Id(), 4u);
  EXPECT_EQ(fresh.entries[Slot::lyrics_whats]->Id(), 5u);
  EXPECT_EQ(GLRecorder::Count("glGenTextures"), 5);
}

TEST_F(DesertDunes, ClearsToTheDaySkyColour) {
  Frame(18000, kSecondStart);
  ASSERT_GE(GLRecorder::Find("glClearColor"), 0);
  const GLCall& clear = GLRecorder::Calls()[GLRecorder::Find("glClearColor")];
  EXPECT_FLOAT_EQ(clear.args[0], 0.67f);
  EXPECT_FLOAT_EQ(clear.args[1], 0.74f);
  EXPECT_FLOAT_EQ(clear.args[2], 0.95f);
  EXPECT_EQ(clear.args[3], 0.0);
  EXPECT_EQ(GLRecorder::Named("glClear")[0].args[0], double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
  EXPECT_LT(GLRecorder::Find("glClearColor"), GLRecorder::Find("glClear"));
}

TEST_F(DesertDunes, FirstWindowPushesItsOwnProjectionAndPopsItAfterTheTerrain) {
  Frame(4250, kFirstStart);  // u = 2.125
  const auto& calls = GLRecorder::Calls();
  const int push = GLRecorder::Find("glPushMatrix");
  ASSERT_GE(push, 1);
  EXPECT_EQ(calls[push - 1].name, "glMatrixMode");
  EXPECT_EQ(calls[push - 1].args[0], GL_PROJECTION);
  EXPECT_EQ(calls[push + 1].name, "glLoadIdentity");
  ASSERT_EQ(calls[push + 2].name, "gluPerspective");
  EXPECT_FLOAT_EQ(calls[push + 2].args[0], 60 * 2.125f / 4);  // 31.875 degrees
  EXPECT_EQ(calls[push + 2].args[1], 1.0);                    // square, not the window's aspect
  EXPECT_EQ(calls[push + 2].args[2], static_cast<double>(0.1f));
  EXPECT_EQ(calls[push + 2].args[3], 100.0);
  EXPECT_EQ(calls[push + 3].name, "glMatrixMode");
  EXPECT_EQ(calls[push + 3].args[0], GL_MODELVIEW);

  const std::vector<int> begins = Begins();
  ASSERT_EQ(begins.size(), 1u + kCells);  // sky and terrain, no overlay
  const int pop = GLRecorder::Find("glPopMatrix");
  ASSERT_GT(pop, begins.back());  // after the last terrain cell
  EXPECT_EQ(calls[pop - 1].name, "glMatrixMode");
  EXPECT_EQ(calls[pop - 1].args[0], GL_PROJECTION);
  EXPECT_EQ(calls[pop + 1].name, "glMatrixMode");
  EXPECT_EQ(calls[pop + 1].args[0], GL_MODELVIEW);
  EXPECT_EQ(GLRecorder::Count("glPushMatrix"), 1);
  EXPECT_EQ(GLRecorder::Count("glPopMatrix"), 1);
}

TEST_F(DesertDunes, FieldOfViewWidensFromAlmostNothing) {
  Frame(1, kFirstStart);
  ASSERT_EQ(GLRecorder::Count("gluPerspective"), 1);
  EXPECT_NEAR(GLRecorder::Named("gluPerspective")[0].args[0], 0.0075, 1e-9);
  Frame(8499, kFirstStart);
  EXPECT_NEAR(GLRecorder::Named("gluPerspective")[0].args[0], 63.7425, 1e-4);
}

TEST_F(DesertDunes, SecondWindowKeepsTheWindowsProjection) {
  for (int now : {15751, 20000, 24000, 32499}) {
    Frame(now, kSecondStart);
    EXPECT_EQ(GLRecorder::Count("gluPerspective"), 0) << now;
    EXPECT_EQ(GLRecorder::Count("glPushMatrix"), 0) << now;
    EXPECT_EQ(GLRecorder::Count("glPopMatrix"), 0) << now;
    for (const GLCall& c : GLRecorder::Named("glMatrixMode")) EXPECT_NE(c.args[0], GL_PROJECTION) << now;
  }
}

TEST_F(DesertDunes, LightsAreSetBeforeTheModelviewReset) {
  for (int start : {kFirstStart, kSecondStart}) {
    const int now = start + 3000;  // u = 1.5
    Frame(now, start);
    const int reset = FirstModelviewIdentity();
    ASSERT_GE(reset, 0);
    const std::vector<GLCall> lights = GLRecorder::Named("glLightfv");
    ASSERT_EQ(lights.size(), 6u);
    int lastLight = -1;
    for (int i = GLRecorder::Find("glLightfv"); i >= 0; i = GLRecorder::Find("glLightfv", i + 1)) lastLight = i;
    EXPECT_LT(lastLight, reset) << start;
    // The first glLoadIdentity of the second window is the model-view one.
    if (start == kSecondStart) {
      EXPECT_EQ(GLRecorder::Find("glLoadIdentity"), reset);
    }

    EXPECT_EQ(lights[0].args, (std::vector<double>{GL_LIGHT1, GL_AMBIENT, 1, 1, 1, 1}));
    EXPECT_EQ(lights[1].args, (std::vector<double>{GL_LIGHT1, GL_DIFFUSE, 1, 1, 1, 1}));
    EXPECT_EQ(lights[2].args, (std::vector<double>{GL_LIGHT1, GL_POSITION, 2.25, 10, 10, 1}));  // x = u^2
    EXPECT_EQ(lights[3].args, (std::vector<double>{GL_LIGHT2, GL_AMBIENT, 1, 1, 1, 1}));
    EXPECT_EQ(lights[4].args, (std::vector<double>{GL_LIGHT2, GL_DIFFUSE, 0.6f, 0.6f, 0.6f, 1}));
    EXPECT_EQ(lights[5].args, (std::vector<double>{GL_LIGHT2, GL_POSITION, 10, 100, 200, 1}));

    // Lighting is on before the reset, and GL_LIGHT0 is left alone.
    int lighting = -1;
    for (int i = GLRecorder::Find("glEnable"); i >= 0; i = GLRecorder::Find("glEnable", i + 1))
      if (GLRecorder::Calls()[i].args[0] == GL_LIGHTING) { lighting = i; break; }
    EXPECT_GE(lighting, 0);
    EXPECT_LT(lighting, reset);
    for (const GLCall& c : GLRecorder::Calls())
      EXPECT_FALSE((c.name == "glEnable" || c.name == "glDisable" || c.name == "glLightfv") && c.args[0] == GL_LIGHT0);
  }
}

TEST_F(DesertDunes, SkyPanelRecedesAndGivesTheNormalForTheTerrain) {
  Frame(19750, kSecondStart);  // u = 2
  const auto& calls = GLRecorder::Calls();
  const int sky = Begins()[0];
  const int bind = sky - 2;
  ASSERT_EQ(calls[bind].name, "glBindTexture");
  EXPECT_EQ(calls[bind].args[1], Id(Slot::skyday));
  EXPECT_EQ(calls[sky - 1].name, "glNormal3f");
  EXPECT_EQ(calls[sky - 1].args, (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(calls[bind - 1].name, "glColor4f");
  EXPECT_EQ(calls[bind - 1].args, (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(calls[bind - 2].name, "glTranslatef");
  EXPECT_EQ(calls[bind - 2].args, (std::vector<double>{0, 25, -70.4f}));
  const double expected[4][5] = {{1, 1, 120, -20, 0}, {1, 0, 120, 20, 0}, {0, 0, -120, 20, 0}, {0, 1, -120, -20, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(calls[sky + 1 + 2 * k].args, (std::vector<double>{expected[k][0], expected[k][1]}));
    EXPECT_EQ(calls[sky + 2 + 2 * k].args, (std::vector<double>{expected[k][2], expected[k][3], expected[k][4]}));
  }
  // No other normal in the frame: the terrain is lit with (0, 0, 1).
  EXPECT_EQ(GLRecorder::Count("glNormal3f"), 1);
}

TEST_F(DesertDunes, TerrainTransformThenCellsInRowOrder) {
  Frame(19750, kSecondStart);  // u = 2
  const auto& calls = GLRecorder::Calls();
  const std::vector<int> begins = Begins();
  ASSERT_GE(begins.size(), 1u + kCells);
  // Transform between the sky and the first cell.
  const int t = GLRecorder::Find("glTranslatef", begins[0]);
  ASSERT_GT(t, 0);
  EXPECT_EQ(calls[t - 1].name, "glLoadIdentity");
  EXPECT_EQ(calls[t].args, (std::vector<double>{2, 0, -12}));  // 3 - u/2
  EXPECT_EQ(calls[t + 1].args, (std::vector<double>{8, 1, 0, 0}));
  EXPECT_EQ(calls[t + 1].name, "glRotatef");
  EXPECT_EQ(calls[t + 2].args, (std::vector<double>{8, 0, 1, 0}));
  EXPECT_EQ(calls[t + 3].name, "glScalef");
  EXPECT_EQ(calls[t + 3].args, (std::vector<double>{2, 1, 1}));
  EXPECT_EQ(calls[t + 4].name, "glBindTexture");
  EXPECT_EQ(calls[t + 4].args[1], Id(Slot::sand));

  const float s = 1.0f / 16;
  for (int cell = 0; cell < kCells; ++cell) {
    const int a = -8 + cell / 16, b = -8 + cell % 16;
    const int i = begins[1 + cell];
    SCOPED_TRACE("cell a=" + std::to_string(a) + " b=" + std::to_string(b));
    // Texturing, front fill and lighting again for every cell, depth test never on.
    ASSERT_EQ(calls[i - 3].name, "glEnable");
    EXPECT_EQ(calls[i - 3].args[0], GL_TEXTURE_2D);
    ASSERT_EQ(calls[i - 2].name, "glPolygonMode");
    EXPECT_EQ(calls[i - 2].args, (std::vector<double>{GL_FRONT, GL_FILL}));
    ASSERT_EQ(calls[i - 1].name, "glEnable");
    EXPECT_EQ(calls[i - 1].args[0], GL_LIGHTING);
    EXPECT_EQ(calls[i].args[0], GL_QUADS);
    const int rows[4] = {a, a + 1, a + 1, a}, cols[4] = {b, b, b + 1, b + 1};
    for (int k = 0; k < 4; ++k) {
      const GLCall& tex = calls[i + 1 + 2 * k];
      const GLCall& v = calls[i + 2 + 2 * k];
      ASSERT_EQ(tex.name, "glTexCoord2f");
      ASSERT_EQ(v.name, "glVertex3f");
      EXPECT_EQ(tex.args[0], (cols[k] + 8) * s);
      EXPECT_EQ(tex.args[1], (rows[k] + 8) * s);
      EXPECT_EQ(v.args[0], cols[k]);
      EXPECT_EQ(v.args[1], Height(rows[k], cols[k], 2.0f));
      EXPECT_EQ(v.args[2], 2 * rows[k]);
    }
    EXPECT_EQ(calls[i + 9].name, "glEnd");
  }
  // The depth test stays off from the sky to the last cell: drawing order decides.
  for (int i = begins[0]; i < begins[kCells]; ++i)
    EXPECT_FALSE(calls[i].name == "glEnable" && calls[i].args[0] == GL_DEPTH_TEST) << i;
}

TEST_F(DesertDunes, HeightIsAProductOfSinesOfTheRowAndColumn) {
  Frame(19750, kSecondStart);
  const auto& calls = GLRecorder::Calls();
  const int first = Begins()[1];
  // a = b = -8, phase 2: (sin(-6) + sin(-6)) * 0.3 * sin(-6) = 0.6 * sin^2(-6)
  EXPECT_NEAR(calls[first + 2].args[1], 0.6 * std::sin(-6.0) * std::sin(-6.0), 1e-6);
  // Vertex 2 of that cell is row -7, column -8: (sin(-5) + sin(-6)) * 0.3 * sin(-5)
  EXPECT_NEAR(calls[first + 4].args[1], (std::sin(-5.0) + std::sin(-6.0)) * 0.3 * std::sin(-5.0), 1e-6);
}

TEST_F(DesertDunes, PhaseStandsStillUpTo24000AndThenAdvancesPerFrame) {
  Frame(8499, kFirstStart);
  EXPECT_EQ(dunes.phase, 2.0f);
  Frame(23999, kSecondStart);
  EXPECT_EQ(dunes.phase, 2.0f);
  Frame(24000, kSecondStart);
  EXPECT_EQ(dunes.phase, 2.0f);

  Frame(24001, kSecondStart);
  const float u = static_cast<float>(24001 - kSecondStart) / 2000;
  EXPECT_EQ(dunes.phaseStep, u / 1000);
  const float once = 2.0f + u / 1000;
  EXPECT_EQ(dunes.phase, once);
  // The same time again still advances: the step is per frame, not per millisecond.
  Frame(24001, kSecondStart);
  EXPECT_EQ(dunes.phase, once + u / 1000);

  // The step grows with u.
  const float before = dunes.phase;
  Frame(32000, kSecondStart);
  EXPECT_FLOAT_EQ(dunes.phaseStep, 8.125f / 1000);
  EXPECT_EQ(dunes.phase, before + dunes.phaseStep);
}

TEST_F(DesertDunes, AFrameDrawsWithThePhaseReachedBeforeIt) {
  Frame(30000, kSecondStart);
  const float advanced = dunes.phase;
  ASSERT_NE(advanced, 2.0f);
  Frame(30000, kSecondStart);
  const auto& calls = GLRecorder::Calls();
  const int first = Begins()[1];
  EXPECT_EQ(calls[first + 2].args[1], Height(-8, -8, advanced));
  // The first window does not put it back.
  Frame(100, kFirstStart);
  EXPECT_GT(dunes.phase, advanced);
  Frame(200, kFirstStart);
  EXPECT_EQ(GLRecorder::Calls()[Begins()[1] + 2].args[1], Height(-8, -8, dunes.phase));
}

TEST_F(DesertDunes, OverlaysOnlyStrictlyInsideTheirSpans) {
  struct Case {
    int now;
    bool title, whats, desert;
  };
  const Case cases[] = {
      {17000, false, false, false}, {17001, true, false, false}, {20000, true, false, false},
      {20001, true, true, false},   {24999, true, true, false},  {25000, false, true, false},
      {26999, false, true, false},  {27000, false, false, false}, {27001, false, false, true},
      {32499, false, false, true},  {32500, false, false, false},
  };
  for (const Case& c : cases) {
    Frame(c.now, kSecondStart);
    EXPECT_EQ(Binds(Id(Slot::lumivane)), c.title ? 1 : 0) << c.now;
    EXPECT_EQ(Binds(Id(Slot::lyrics_whats)), c.whats ? 1 : 0) << c.now;
    EXPECT_EQ(Binds(Id(Slot::lyrics_desert)), c.desert ? 1 : 0) << c.now;
    EXPECT_EQ(static_cast<int>(Begins().size()), 1 + kCells + c.title + c.whats + c.desert) << c.now;
  }
  // Nothing over the first window.
  Frame(8499, kFirstStart);
  EXPECT_EQ(static_cast<int>(Begins().size()), 1 + kCells);
}

TEST_F(DesertDunes, OverlayFadesAreHalfSinesOverAbsoluteTime) {
  Frame(21000, kSecondStart);
  EXPECT_NEAR(OverlayOf(Slot::lumivane).alpha, 1.0, 1e-6);
  EXPECT_NEAR(OverlayOf(Slot::lyrics_whats).alpha, std::sin(M_PI / 7), 1e-6);
  Frame(19000, kSecondStart);
  EXPECT_NEAR(OverlayOf(Slot::lumivane).alpha, std::sin(M_PI / 4), 1e-6);
  Frame(23500, kSecondStart);
  EXPECT_NEAR(OverlayOf(Slot::lyrics_whats).alpha, 1.0, 1e-6);
  EXPECT_NEAR(OverlayOf(Slot::lumivane).alpha, std::sin(6.5 * M_PI / 8), 1e-6);
  Frame(29750, kSecondStart);
  EXPECT_NEAR(OverlayOf(Slot::lyrics_desert).alpha, 1.0, 1e-6);
  Frame(32499, kSecondStart);
  const double late = OverlayOf(Slot::lyrics_desert).alpha;
  EXPECT_GT(late, 0.0);
  EXPECT_LT(late, 0.001);
}

TEST_F(DesertDunes, OverlaysAreDrawnLastInOrderWithTheirPlacesAndQuads) {
  Frame(23500, kSecondStart);  // u = 3.875: title and the first lyric line
  const auto& calls = GLRecorder::Calls();
  const Overlay title = OverlayOf(Slot::lumivane);
  EXPECT_EQ(title.x, 0);
  EXPECT_EQ(title.y, 0);
  EXPECT_EQ(title.z, -3);
  const Overlay whats = OverlayOf(Slot::lyrics_whats);
  EXPECT_FLOAT_EQ(whats.x, 1 - 3.875f / 5);
  EXPECT_EQ(whats.y, -1);
  EXPECT_EQ(whats.z, -10);
  const std::vector<int> begins = Begins();
  ASSERT_EQ(begins.size(), 3u + kCells);
  const double halfWidth[2] = {1, 4};
  for (int k = 0; k < 2; ++k) {
    const int i = begins[1 + kCells + k];
    const double w = halfWidth[k];
    const double expected[4][5] = {{1, 1, w, -1, 0}, {1, 0, w, 1, 0}, {0, 0, -w, 1, 0}, {0, 1, -w, -1, 0}};
    for (int v = 0; v < 4; ++v) {
      EXPECT_EQ(calls[i + 1 + 2 * v].args, (std::vector<double>{expected[v][0], expected[v][1]}));
      EXPECT_EQ(calls[i + 2 + 2 * v].args, (std::vector<double>{expected[v][2], expected[v][3], expected[v][4]}));
    }
  }
  // The title comes before the lyric line.
  EXPECT_LT(GLRecorder::Find("glTranslatef", begins[kCells]), begins[1 + kCells]);

  Frame(29750, kSecondStart);  // u = 7: the second line drifts the other way
  const Overlay desert = OverlayOf(Slot::lyrics_desert);
  EXPECT_FLOAT_EQ(desert.x, 7.0f / 5 - 1);
  EXPECT_EQ(desert.y, -2);
  EXPECT_EQ(desert.z, -10);
}

TEST_F(DesertDunes, LeavesTexturingBlendingAndLightingOffAndDepthTestOn) {
  for (int now : {4000, 21000, 29750}) {
    Frame(now, now < 8500 ? kFirstStart : kSecondStart);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << now;
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << now;
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << now;
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1)) << now;
    EXPECT_FALSE(glIsEnabled(GL_LIGHT2)) << now;
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << now;
    // Every overlay sets its own blending state.
    for (const GLCall& c : GLRecorder::Named("glBlendFunc"))
      EXPECT_EQ(c.args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  }
}
