#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/PresentsEffect.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kStart = 12000;

class Presents : public ::testing::Test {
 protected:
  void SetUp() override {
    GLRecorder::Clear();
    caption.Init();
  }

  void Frame(int now) {
    GLRecorder::Clear();
    caption.Render(now, kStart);
  }

  unsigned Id(int slot) const { return bank.entries[slot]->Id(); }

  struct Draw {
    unsigned texture;
    double alpha;
  };
  static std::vector<Draw> Draws() {
    std::vector<Draw> out;
    const auto& calls = GLRecorder::Calls();
    for (int i = 1; i < static_cast<int>(calls.size()); ++i)
      if (calls[i].name == "glBindTexture") {
        EXPECT_EQ(calls[i - 1].name, "glColor4f");
        out.push_back({static_cast<unsigned>(calls[i].args[1]), calls[i - 1].args[3]});
      }
    return out;
  }

  RecordingBoxes boxes;
  TextureBank bank;
  PresentsEffect caption{&bank};
};

}  // namespace

TEST_F(Presents, InitLoadsLatinThenArabicCaption) {
  TextureBank fresh;
  PresentsEffect effect{&fresh};
  GLRecorder::Clear();
  effect.Init();
  EXPECT_EQ(fresh.entries[Slot::presents]->Id(), 1u);
  EXPECT_EQ(fresh.entries[Slot::presents_arabic]->Id(), 2u);
  EXPECT_EQ(GLRecorder::Count("glGenTextures"), 2);
}

TEST_F(Presents, LatinFirstThenArabicWithUnclampedAlphas) {
  Frame(kStart + 1000);
  std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].texture, Id(Slot::presents));
  EXPECT_EQ(draws[0].alpha, 0.5);
  EXPECT_EQ(draws[1].texture, Id(Slot::presents_arabic));
  EXPECT_EQ(draws[1].alpha, 0.5);

  Frame(kStart + 1);
  draws = Draws();
  EXPECT_FLOAT_EQ(draws[0].alpha, 0.001f - 0.5f);
  EXPECT_FLOAT_EQ(draws[1].alpha, 1.5f - 0.001f);
  Frame(kStart + 2999);
  draws = Draws();
  EXPECT_FLOAT_EQ(draws[0].alpha, 2.499f);
  EXPECT_FLOAT_EQ(draws[1].alpha, -1.499f);
}

TEST_F(Presents, BothCaptionsCentredOnOneMatrixWithoutShift) {
  Frame(kStart + 1700);
  const auto& calls = GLRecorder::Calls();
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 1);
  const std::vector<GLCall> moves = GLRecorder::Named("glTranslatef");
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].args, (std::vector<double>{0, 0, -3}));
  EXPECT_LT(GLRecorder::Find("glTranslatef"), GLRecorder::Find("glBegin"));
  EXPECT_EQ(GLRecorder::Count("glBegin"), 2);
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

TEST_F(Presents, ClearsToBlackAndLeavesTheStandardState) {
  Frame(kStart + 2000);
  EXPECT_EQ(GLRecorder::Named("glClearColor")[0].args, (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(GLRecorder::Named("glClear")[0].args[0], double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
  EXPECT_EQ(GLRecorder::Named("glBlendFunc")[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
