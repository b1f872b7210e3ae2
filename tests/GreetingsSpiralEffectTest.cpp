#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/GreetingsSpiralEffect.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kStart = 155000;

class GreetingsSpiral : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    spiral.Init();
    GLRecorder::Clear();
  }
  void Frame(int elapsed) {
    GLRecorder::Clear();
    spiral.Render(kStart + elapsed, kStart);
  }
  unsigned Id(int slot) { return bank.entries[slot]->Id(); }
  // Alpha given to the background picture in the recorded frame.
  double BackgroundAlpha() {
    double alpha = -100;
    for (const GLCall& c : GLRecorder::Calls()) {
      if (c.name == "glColor4f") alpha = c.args[3];
      if (c.name == "glBindTexture" && c.args[1] == Id(Slot::background05)) return alpha;
    }
    return -100;
  }

  RecordingBoxes boxes;
  TextureBank bank;
  GreetingsSpiralEffect spiral{&bank};
};

}  // namespace

TEST_F(GreetingsSpiral, InitLoadsFivePicturesInOrderAndFillsTheCircle) {
  const int order[] = {Slot::greets01, Slot::greets02, Slot::background05, Slot::line01, Slot::ring02};
  for (int k = 0; k < 5; ++k) ASSERT_TRUE(bank.entries[order[k]]->Loaded()) << k;
  for (int k = 1; k < 5; ++k) EXPECT_EQ(Id(order[k]), Id(order[k - 1]) + 1) << k;
  for (int i = 0; i < 64; ++i)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(spiral.circlePoints[i][c], kCirclePoints[i][c]);
}

TEST_F(GreetingsSpiral, ShiftStepsAtTheEndsOfTheDimSlots) {
  const struct {
    int elapsed;
    float shift;
  } table[] = {{1, 0},       {1699, 0},     {1700, -1},    {4399, -1},    {4400, -2},     {7099, -2},
               {7100, -3},   {9799, -3},    {9800, -4},    {12499, -4},   {12500, -3},    {14999, -3},
               {15000, -2},  {17599, -2},   {17600, -0.5}, {20399, -0.5}, {20400, 0},     {21999, 0}};
  for (const auto& row : table) {
    EXPECT_EQ(GreetingsSpiralEffect::ShiftAt(row.elapsed), row.shift) << row.elapsed;
    Frame(row.elapsed);
    EXPECT_EQ(spiral.shift, row.shift) << row.elapsed;
  }
}

TEST_F(GreetingsSpiral, DimSlotsIncludeTheirStartAndExcludeTheirEnd) {
  const int starts[] = {1200, 3900, 6600, 9300, 12000, 14500, 17100, 19900};
  for (int from : starts) {
    EXPECT_FALSE(GreetingsSpiralEffect::InDimSlot(from - 1)) << from;
    EXPECT_TRUE(GreetingsSpiralEffect::InDimSlot(from)) << from;
    EXPECT_TRUE(GreetingsSpiralEffect::InDimSlot(from + 499)) << from;
    EXPECT_FALSE(GreetingsSpiralEffect::InDimSlot(from + 500)) << from;
  }
}

TEST_F(GreetingsSpiral, FadeDropsOneHundredthPerFrameInsideASlotAndSnapsBack) {
  Frame(1199);
  EXPECT_EQ(spiral.fade, 1.0f);
  EXPECT_EQ(BackgroundAlpha(), 1.0);
  Frame(1200);
  EXPECT_FLOAT_EQ(spiral.fade, 0.99f);
  EXPECT_FLOAT_EQ(BackgroundAlpha(), 0.99f);
  // Per frame, not per millisecond: a long gap still takes only one step.
  Frame(1650);
  EXPECT_FLOAT_EQ(spiral.fade, 0.98f);
  Frame(1699);
  EXPECT_FLOAT_EQ(spiral.fade, 0.97f);
  Frame(1700);
  EXPECT_EQ(spiral.fade, 1.0f);
  EXPECT_EQ(spiral.shift, -1.0f);
  // The same at the other listed bounds.
  Frame(9799);
  EXPECT_FLOAT_EQ(spiral.fade, 0.99f);
  Frame(9800);
  EXPECT_EQ(spiral.fade, 1.0f);
  Frame(20399);
  EXPECT_FLOAT_EQ(spiral.fade, 0.99f);
  Frame(20400);
  EXPECT_EQ(spiral.fade, 1.0f);
}

TEST_F(GreetingsSpiral, FadeStepsInSinglePrecisionAndGoesNegativeUnclamped) {
  float expected = 1.0f;
  for (int k = 0; k < 150; ++k) {  // 150 frames inside one 500-ms slot
    Frame(3900 + k * 3);
    expected = expected - 0.01f;
    ASSERT_EQ(spiral.fade, expected) << k;
  }
  EXPECT_LT(BackgroundAlpha(), -0.49);
  Frame(4400);
  EXPECT_EQ(spiral.fade, 1.0f);
}

TEST_F(GreetingsSpiral, RingColumnsAreOneHundredSpritesRisingOneUnitPerSecond) {
  Frame(10000);  // shift -4
  EXPECT_EQ(GLRecorder::Count("glPushMatrix"), 50);
  EXPECT_EQ(GLRecorder::Count("glPopMatrix"), 50);
  int quads = 0;
  for (const GLCall& c : GLRecorder::Named("glBegin")) quads += c.args[0] == GL_QUADS;
  EXPECT_EQ(quads, 1 + 100);
  auto t = GLRecorder::Named("glTranslatef");
  // Background, column origin, then two translations per pair of sprites, then one per band.
  ASSERT_EQ(t.size(), 1u + 1u + 100u + 4u);
  EXPECT_EQ(t[1].args, (std::vector<double>{-15.5 + 4, 0, -30 + 4}));
  for (int i = 0; i < 50; ++i) {
    EXPECT_NEAR(t[2 + 2 * i].args[1], 10.0 - 80 + 2 * i, 1e-4) << i;
    EXPECT_EQ(t[2 + 2 * i].args[0], 0.0);
    EXPECT_EQ(t[3 + 2 * i].args, (std::vector<double>{4, 0, 5}));
  }
  // Each sprite pair lies between one push and one pop.
  const auto& calls = GLRecorder::Calls();
  int push = GLRecorder::Find("glPushMatrix");
  int pop = GLRecorder::Find("glPopMatrix");
  int begins = 0;
  for (int i = push; i < pop; ++i) begins += calls[i].name == "glBegin";
  EXPECT_EQ(begins, 2);
}

TEST_F(GreetingsSpiral, BandsRotateBeforeTheyTranslateAndClimbAsAHelix) {
  Frame(8000);  // shift -3, s = 8
  const float s = 8.0f;
  const auto& calls = GLRecorder::Calls();
  const int slots[] = {Slot::greets01, Slot::greets02, Slot::line01, Slot::line01};
  const float y0[] = {-0.2f, -1.2f, -2.2f, 0.8f};
  int i = GLRecorder::Find("glRotatef");
  for (int band = 0; band < 4; ++band) {
    ASSERT_GE(i, 1) << band;
    EXPECT_EQ(calls[i - 1].name, "glLoadIdentity") << band;
    EXPECT_EQ(calls[i].args, (std::vector<double>{13.7f * s + 120.0f, 0, 1, 0})) << band;
    ASSERT_EQ(calls[i + 1].name, "glTranslatef") << band;
    EXPECT_EQ(calls[i + 1].args, (std::vector<double>{-3, y0[band] - s / 4.0f, -3})) << band;
    EXPECT_EQ(calls[i + 2].name, "glBindTexture") << band;
    EXPECT_EQ(calls[i + 2].args[1], Id(slots[band])) << band;
    EXPECT_EQ(calls[i + 3].name, "glColor4f") << band;
    EXPECT_EQ(calls[i + 4].name, "glBegin") << band;
    EXPECT_EQ(calls[i + 4].args[0], GL_QUAD_STRIP) << band;
    std::vector<GLCall> v, t;
    int k = i + 5;
    for (; calls[k].name != "glEnd"; ++k) (calls[k].name == "glVertex3f" ? v : t).push_back(calls[k]);
    ASSERT_EQ(v.size(), 252u) << band;
    ASSERT_EQ(t.size(), 252u) << band;
    for (int p = 0; p < 63; ++p) {
      for (int n = 0; n < 2; ++n) {
        const float* c = kCirclePoints[p + n];
        const float climb = (p + n) / 10.0f;
        const GLCall& low = v[4 * p + 2 * n];
        const GLCall& high = v[4 * p + 2 * n + 1];
        EXPECT_EQ(low.args, (std::vector<double>{c[0], c[1] + climb, c[2]}));
        EXPECT_EQ(high.args, (std::vector<double>{c[0], c[1] + 1.5f + climb, c[2]}));
        EXPECT_EQ(t[4 * p + 2 * n].args, (std::vector<double>{(p + n) / 64.0f, 1}));
        EXPECT_EQ(t[4 * p + 2 * n + 1].args, (std::vector<double>{(p + n) / 64.0f, 0}));
      }
    }
    i = GLRecorder::Find("glRotatef", k);
  }
  EXPECT_EQ(i, -1);
}

TEST_F(GreetingsSpiral, CallStreamUpToTheRingColumns) {
  Frame(3000);
  std::vector<std::string> stream;
  for (const GLCall& c : GLRecorder::Calls()) {
    if (c.name == "glPushMatrix") break;
    if (c.name == "glVertex3f" || c.name == "glTexCoord2f") continue;
    std::string line = c.name;
    for (double a : c.args) line += " " + std::to_string(a);
    stream.push_back(line);
  }
  auto S = [](std::string name, std::vector<double> args) {
    for (double a : args) name += " " + std::to_string(a);
    return name;
  };
  const double tex = GL_TEXTURE_2D;
  const std::vector<std::string> expected = {
      S("glLoadIdentity", {}),
      S("glClearColor", {0, 0, 0, 0}),
      S("glClear", {double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)}),
      S("glEnable", {double(GL_BLEND)}),
      S("glDisable", {double(GL_DEPTH_TEST)}),
      S("glEnable", {tex}),
      S("glBlendFunc", {double(GL_SRC_ALPHA), double(GL_ONE_MINUS_SRC_ALPHA)}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {-3.0f / 100, 0, -3}),
      S("glColor4f", {1, 1, 1, 1}),
      S("glBindTexture", {tex, double(Id(Slot::background05))}),
      S("glBegin", {double(GL_QUADS)}),
      S("glEnd", {}),
      S("glLoadIdentity", {}),
      S("glTranslatef", {-15.5 + 1, 0, -30 + 1}),
      S("glColor4f", {1, 1, 1, 1}),
      S("glBindTexture", {tex, double(Id(Slot::ring02))})};
  EXPECT_EQ(stream, expected);
  const auto& calls = GLRecorder::Calls();
  const int n = static_cast<int>(calls.size());
  ASSERT_GE(n, 3);
  EXPECT_EQ(S(calls[n - 3].name, calls[n - 3].args), S("glDisable", {tex}));
  EXPECT_EQ(S(calls[n - 2].name, calls[n - 2].args), S("glDisable", {double(GL_BLEND)}));
  EXPECT_EQ(S(calls[n - 1].name, calls[n - 1].args), S("glEnable", {double(GL_DEPTH_TEST)}));
}

TEST_F(GreetingsSpiral, SpritesAndBackgroundAreUprightQuads) {
  Frame(500);
  std::vector<std::vector<std::vector<double>>> pos, tex;
  for (const GLCall& c : GLRecorder::Calls()) {
    if (c.name == "glBegin") {
      pos.emplace_back();
      tex.emplace_back();
    }
    if (c.name == "glVertex3f") pos.back().push_back(c.args);
    if (c.name == "glTexCoord2f") tex.back().push_back(c.args);
  }
  ASSERT_EQ(pos.size(), 1u + 100u + 4u);
  const std::vector<std::vector<double>> upright = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
  EXPECT_EQ(pos[0], (std::vector<std::vector<double>>{{2, -1, 0}, {2, 1, 0}, {-2, 1, 0}, {-2, -1, 0}}));
  EXPECT_EQ(tex[0], upright);
  for (int k = 1; k <= 100; ++k) {
    EXPECT_EQ(pos[k], (std::vector<std::vector<double>>{{1, -1, 0}, {1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}})) << k;
    EXPECT_EQ(tex[k], upright) << k;
  }
}
