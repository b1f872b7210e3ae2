#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/PhotoCylinderEffect.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kStart = 123000;

class PhotoCylinder : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    cylinder.Init();
    GLRecorder::Clear();
  }
  void Frame(int elapsed) {
    GLRecorder::Clear();
    cylinder.Render(kStart + elapsed, kStart);
  }
  unsigned Id(int slot) { return bank.entries[slot]->Id(); }
  bool Bound(int slot) {
    for (const GLCall& c : GLRecorder::Named("glBindTexture"))
      if (c.args[1] == Id(slot)) return true;
    return false;
  }
  double AlphaBefore(int slot) {
    double alpha = -100;
    for (const GLCall& c : GLRecorder::Calls()) {
      if (c.name == "glColor4f") alpha = c.args[3];
      if (c.name == "glBindTexture" && c.args[1] == Id(slot)) return alpha;
    }
    return -100;
  }
  // Vertices and texture coordinates of the one quad strip of the frame.
  void Strip(std::vector<GLCall>& vertices, std::vector<GLCall>& tex) {
    const auto& calls = GLRecorder::Calls();
    int i = -1;
    while ((i = GLRecorder::Find("glBegin", i + 1)) >= 0 && calls[i].args[0] != GL_QUAD_STRIP) {
    }
    ASSERT_GE(i, 0);
    for (++i; calls[i].name != "glEnd"; ++i) {
      if (calls[i].name == "glVertex3f") vertices.push_back(calls[i]);
      if (calls[i].name == "glTexCoord2f") tex.push_back(calls[i]);
    }
  }

  RecordingBoxes boxes;
  TextureBank bank;
  PhotoCylinderEffect cylinder{&bank};
};

}  // namespace

TEST_F(PhotoCylinder, InitLoadsFivePicturesInOrderFillsTheCircleAndPi) {
  const int order[] = {Slot::photos, Slot::background04, Slot::lyrics_hate, Slot::lyrics_wars, Slot::le1};
  for (int k = 0; k < 5; ++k) ASSERT_TRUE(bank.entries[order[k]]->Loaded()) << k;
  for (int k = 1; k < 5; ++k) EXPECT_EQ(Id(order[k]), Id(order[k - 1]) + 1) << k;
  for (int i = 0; i < 64; ++i)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(cylinder.circlePoints[i][c], kCirclePoints[i][c]);
  EXPECT_FLOAT_EQ(cylinder.pi, 3.14159274f);
}

TEST_F(PhotoCylinder, PulseTableAtItsBounds) {
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(1), 0.0f);
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(1000), 0.0f);  // the 1200-ms gate cuts the first rise
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(1199), 0.0f);
  EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(1200), 0.2f);
  EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(1799), 0.799f);
  EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(1800), 0.3f);
  EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(1949), 0.002f);
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(1950), 0.0f);
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(3699), 0.0f);
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(3700), 0.0f);
  EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(4499), 0.799f);
  EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(4500), 0.3f);
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(4650), 0.0f);
  // Every later beat: rise, step down, fall.
  const int rises[] = {6400, 9000, 11700, 14400, 17000, 19700};
  for (int r : rises) {
    EXPECT_EQ(PhotoCylinderEffect::PulseAt(r - 1), 0.0f) << r;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(r + 400), 0.4f) << r;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(r + 799), 0.799f) << r;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(r + 800), 0.3f) << r;
    EXPECT_FLOAT_EQ(PhotoCylinderEffect::PulseAt(r + 949), 0.002f) << r;
    EXPECT_EQ(PhotoCylinderEffect::PulseAt(r + 950), 0.0f) << r;
  }
  EXPECT_EQ(PhotoCylinderEffect::PulseAt(21999), 0.0f);
}

TEST_F(PhotoCylinder, WallIsOneOpenStripWithEveryInnerPairSentTwice) {
  Frame(9400);  // pulse 0.4
  EXPECT_FLOAT_EQ(cylinder.pulse, 0.4f);
  std::vector<GLCall> v, t;
  Strip(v, t);
  ASSERT_EQ(v.size(), 252u);
  ASSERT_EQ(t.size(), 252u);
  const double pulse = 0.4f;
  for (int i = 0; i < 63; ++i) {
    for (int k = 0; k < 2; ++k) {
      const float* p = kCirclePoints[i + k];
      const GLCall& bottom = v[4 * i + 2 * k];
      const GLCall& top = v[4 * i + 2 * k + 1];
      EXPECT_NEAR(bottom.args[0], p[0], 1e-6);
      EXPECT_NEAR(bottom.args[1], -pulse, 1e-6);
      EXPECT_NEAR(bottom.args[2], p[2], 1e-6);
      EXPECT_NEAR(top.args[0], p[0], 1e-6);
      EXPECT_NEAR(top.args[1], 5 + pulse, 1e-6);
      EXPECT_NEAR(top.args[2], p[2] + 1, 1e-6);  // the wall leans
      EXPECT_NEAR(t[4 * i + 2 * k].args[0], (i + k) / 64.0, 1e-7);
      EXPECT_EQ(t[4 * i + 2 * k].args[1], 1.0);
      EXPECT_NEAR(t[4 * i + 2 * k + 1].args[0], (i + k) / 64.0, 1e-7);
      EXPECT_EQ(t[4 * i + 2 * k + 1].args[1], 0.0);
    }
  }
  // Runs from point 0 to point 63: the segment from 63 back to 0 stays open.
  EXPECT_EQ(v.front().args[0], double(kCirclePoints[0][0]));
  EXPECT_EQ(v.back().args[0], double(kCirclePoints[63][0]));
  EXPECT_NEAR(t.back().args[0], 63 / 64.0, 1e-7);
}

TEST_F(PhotoCylinder, CallStreamOfOneFrame) {
  Frame(12000);
  std::vector<std::string> stream;
  for (const GLCall& c : GLRecorder::Calls()) {
    if (c.name == "glVertex3f" || c.name == "glTexCoord2f") continue;
    std::string line = c.name;
    for (double a : c.args) line += " " + std::to_string(a);
    stream.push_back(line);
  }
  auto S = [](std::string name, std::vector<double> args) {
    for (double a : args) name += " " + std::to_string(a);
    return name;
  };
  const float s = 12.0f, pi = 3.14159274f;
  const double tex = GL_TEXTURE_2D;
  const std::vector<std::string> expected = {
      S("glLoadIdentity", {}),
      S("glClearColor", {0, 0, 0.5, 0}),
      S("glClear", {double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)}),
      S("glEnable", {tex}),
      S("glEnable", {double(GL_BLEND)}),
      S("glDisable", {double(GL_DEPTH_TEST)}),
      S("glBlendFunc", {double(GL_SRC_ALPHA), double(GL_ONE_MINUS_SRC_ALPHA)}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {-s / 100, 0, -3}),
      S("glColor4f", {1, 1, 1, 1}),
      S("glBindTexture", {tex, double(Id(Slot::background04))}),
      S("glBegin", {double(GL_QUADS)}),
      S("glEnd", {}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {0, -2.5, -2}),
      S("glRotatef", {13 * s + 130, 0, 1, 0}),
      S("glColor4f", {1, 1, 1, 1}),
      S("glBindTexture", {tex, double(Id(Slot::photos))}),
      S("glBegin", {double(GL_QUAD_STRIP)}),
      S("glEnd", {}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {s / 5 - 2, -2, -10}),
      S("glColor4f", {1, 1, 1, static_cast<float>(std::sin(double(pi * (s - 10) / 10.0f)))}),
      S("glBindTexture", {tex, double(Id(Slot::lyrics_wars))}),
      S("glBegin", {double(GL_QUADS)}),
      S("glEnd", {}),
      S("glDisable", {tex}),
      S("glDisable", {double(GL_BLEND)}),
      S("glEnable", {double(GL_DEPTH_TEST)})};
  EXPECT_EQ(stream, expected);
}

TEST_F(PhotoCylinder, BackgroundAndLyricQuadsAreUpright) {
  Frame(5000);
  // Vertices and texture coordinates per glBegin/glEnd block.
  std::vector<std::vector<std::vector<double>>> pos, tex;
  for (const GLCall& c : GLRecorder::Calls()) {
    if (c.name == "glBegin") {
      pos.emplace_back();
      tex.emplace_back();
    }
    if (c.name == "glVertex3f") pos.back().push_back(c.args);
    if (c.name == "glTexCoord2f") tex.back().push_back(c.args);
  }
  ASSERT_EQ(pos.size(), 3u);  // background, wall, lyric
  const std::vector<std::vector<double>> upright = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
  EXPECT_EQ(pos[0], (std::vector<std::vector<double>>{{2, -1, 0}, {2, 1, 0}, {-2, 1, 0}, {-2, -1, 0}}));
  EXPECT_EQ(tex[0], upright);
  EXPECT_EQ(pos[2], (std::vector<std::vector<double>>{{4, -1, 0}, {4, 1, 0}, {-4, 1, 0}, {-4, -1, 0}}));
  EXPECT_EQ(tex[2], upright);
}

TEST_F(PhotoCylinder, LyricImagesOnlyStrictlyInsideTheirSlots) {
  Frame(2000);
  EXPECT_FALSE(Bound(Slot::lyrics_hate));
  EXPECT_FALSE(Bound(Slot::lyrics_wars));
  Frame(2001);
  EXPECT_TRUE(Bound(Slot::lyrics_hate));
  EXPECT_NEAR(AlphaBefore(Slot::lyrics_hate), std::sin(3.14159274 * 0.001 / 8), 1e-6);
  Frame(6000);
  EXPECT_NEAR(AlphaBefore(Slot::lyrics_hate), 1.0, 1e-6);
  Frame(9999);
  EXPECT_TRUE(Bound(Slot::lyrics_hate));
  EXPECT_FALSE(Bound(Slot::lyrics_wars));
  Frame(10000);
  EXPECT_FALSE(Bound(Slot::lyrics_hate));
  EXPECT_FALSE(Bound(Slot::lyrics_wars));
  Frame(10001);
  EXPECT_FALSE(Bound(Slot::lyrics_hate));
  EXPECT_TRUE(Bound(Slot::lyrics_wars));
  Frame(19999);
  EXPECT_TRUE(Bound(Slot::lyrics_wars));
  Frame(20000);
  EXPECT_FALSE(Bound(Slot::lyrics_wars));
  EXPECT_FALSE(Bound(Slot::le1));  // loaded, never drawn
}

TEST_F(PhotoCylinder, LeavesTexturingAndBlendingOffDepthOn) {
  Frame(15000);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
