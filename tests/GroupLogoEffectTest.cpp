#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/GroupLogoEffect.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kStart = 8500;

class GroupLogo : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    logo.Init();
  }

  void Frame(int now) {
    GLRecorder::Clear();
    logo.Render(now, kStart);
  }

  unsigned Id(int slot) const { return bank.entries[slot]->Id(); }

  // The alpha of the colour sent before the bind of each texture, in drawing order.
  struct Draw {
    unsigned texture;
    double alpha;
    int bind;
  };
  static std::vector<Draw> Draws() {
    std::vector<Draw> out;
    const auto& calls = GLRecorder::Calls();
    for (int i = 1; i < static_cast<int>(calls.size()); ++i)
      if (calls[i].name == "glBindTexture") {
        EXPECT_EQ(calls[i - 1].name, "glColor4f");
        out.push_back({static_cast<unsigned>(calls[i].args[1]), calls[i - 1].args[3], i});
      }
    return out;
  }

  RecordingBoxes boxes;
  TextureBank bank;
  GroupLogoEffect logo{&bank};
};

}  // namespace

TEST_F(GroupLogo, InitLoadsLogoThenLatinThenArabicName) {
  TextureBank fresh;
  GroupLogoEffect effect{&fresh};
  GLRecorder::Clear();
  effect.Init();
  EXPECT_EQ(fresh.entries[Slot::vqLogo]->Id(), 1u);
  EXPECT_EQ(fresh.entries[Slot::vantelquorix]->Id(), 2u);
  EXPECT_EQ(fresh.entries[Slot::vantelquorix_arabic]->Id(), 3u);
  EXPECT_EQ(GLRecorder::Count("glGenTextures"), 3);
}

TEST_F(GroupLogo, LogoThenLatinNameThenArabicNameBothHalfVisibleAfterOneSecond) {
  Frame(kStart + 1000);
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].texture, Id(Slot::vqLogo));
  EXPECT_EQ(draws[0].alpha, 1.0);
  EXPECT_EQ(draws[1].texture, Id(Slot::vantelquorix));
  EXPECT_EQ(draws[1].alpha, 0.5);
  EXPECT_EQ(draws[2].texture, Id(Slot::vantelquorix_arabic));
  EXPECT_EQ(draws[2].alpha, 0.5);
  EXPECT_EQ(GLRecorder::Count("glBegin"), 3);
}

TEST_F(GroupLogo, AlphasAreNotClamped) {
  Frame(kStart + 100);  // x = 0.1
  std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_FLOAT_EQ(draws[1].alpha, -0.4f);
  EXPECT_FLOAT_EQ(draws[2].alpha, 1.4f);
  Frame(kStart + 2900);  // x = 2.9
  draws = Draws();
  EXPECT_FLOAT_EQ(draws[1].alpha, 2.4f);
  EXPECT_FLOAT_EQ(draws[2].alpha, -1.4f);
  EXPECT_EQ(draws[0].alpha, 1.0);  // the logo never fades by itself
}

TEST_F(GroupLogo, NamesSit08BelowTheLogoOnTheSameMatrix) {
  Frame(kStart + 1500);
  const auto& calls = GLRecorder::Calls();
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 1);
  const std::vector<GLCall> moves = GLRecorder::Named("glTranslatef");
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].args, (std::vector<double>{0, 0, -3}));
  EXPECT_EQ(moves[1].args, (std::vector<double>{0, -0.8f, 0}));
  const int identity = GLRecorder::Find("glLoadIdentity");
  const int first = GLRecorder::Find("glTranslatef");
  const int second = GLRecorder::Find("glTranslatef", first + 1);
  EXPECT_LT(identity, first);
  EXPECT_LT(first, draws[0].bind);
  EXPECT_GT(second, draws[0].bind);  // after the logo, before both names
  EXPECT_LT(second, draws[1].bind);
  // Every picture is the upright unit quad.
  const double expected[4][5] = {{1, 1, 1, -1, 0}, {1, 0, 1, 1, 0}, {0, 0, -1, 1, 0}, {0, 1, -1, -1, 0}};
  for (int i = GLRecorder::Find("glBegin"); i >= 0; i = GLRecorder::Find("glBegin", i + 1)) {
    EXPECT_EQ(calls[i].args[0], GL_QUADS);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(calls[i + 1 + 2 * k].name, "glTexCoord2f");
      EXPECT_EQ(calls[i + 1 + 2 * k].args, (std::vector<double>{expected[k][0], expected[k][1]}));
      EXPECT_EQ(calls[i + 2 + 2 * k].args, (std::vector<double>{expected[k][2], expected[k][3], expected[k][4]}));
    }
    EXPECT_EQ(calls[i + 9].name, "glEnd");
  }
}

TEST_F(GroupLogo, ClearsToBlackAndLeavesTheStandardState) {
  Frame(kStart + 2000);
  EXPECT_EQ(GLRecorder::Named("glClearColor")[0].args, (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(GLRecorder::Named("glClear")[0].args[0], double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
  EXPECT_EQ(GLRecorder::Named("glBlendFunc")[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_LT(GLRecorder::Find("glDisable"), GLRecorder::Find("glBegin"));  // depth test off while drawing
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(GLRecorder::Count("glMatrixMode"), 0);
}
