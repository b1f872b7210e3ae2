#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/GroupLogoEffect.h"
#include "services/TextureBank.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

using Args = std::vector<double>;
const int kStart = SceneStart(EffectId::groupLogo);

class GroupLogo : public SceneTest<GroupLogoEffect, EffectId::groupLogo> {
 protected:
  // Renders one frame; returns (texture, alpha) of each picture in drawing order.
  Draws Frame(int elapsed) {
    SceneTest::Frame(elapsed);
    return PictureDraws();
  }

  GroupLogoEffect& logo = scene;
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
}

TEST_F(GroupLogo, LogoThenLatinThenArabicNameWithUnclampedAlphas) {
  const unsigned logoId = Id(Slot::vqLogo), latin = Id(Slot::vantelquorix), arabic = Id(Slot::vantelquorix_arabic);
  EXPECT_EQ(Frame(1000), (Draws{{logoId, 1.0}, {latin, 0.5}, {arabic, 0.5}}));
  // x = 0.1 and 2.9: x - 0.5 and (1 - x) + 0.5 reach the GL as they are, outside [0, 1].
  auto f = [](double v) { return static_cast<double>(static_cast<float>(v)); };
  EXPECT_EQ(Frame(100), (Draws{{logoId, 1.0}, {latin, f(0.1f - 0.5)}, {arabic, f(static_cast<float>(1 - 0.1f) + 0.5)}}));
  EXPECT_EQ(Frame(2900), (Draws{{logoId, 1.0}, {latin, f(2.9f - 0.5)}, {arabic, f(static_cast<float>(1 - 2.9f) + 0.5)}}));
  EXPECT_NEAR(Frame(2900)[2].second, -1.4, 1e-6);
}

TEST_F(GroupLogo, NamesSit08BelowTheLogoOnTheSameMatrix) {
  Frame(1500);
  const auto& calls = GLRecorder::Calls();
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 1);
  const int first = GLRecorder::Find("glTranslatef"), second = GLRecorder::Find("glTranslatef", first + 1);
  EXPECT_EQ(calls[first].args, (Args{0, 0, -3}));
  EXPECT_EQ(calls[second].args, (Args{0, -0.8f, 0}));  // added to the first
  EXPECT_EQ(GLRecorder::Count("glTranslatef"), 2);
  const int logoEnd = GLRecorder::Find("glEnd");
  EXPECT_GT(second, logoEnd);
  EXPECT_LT(second, GLRecorder::Find("glBegin", logoEnd));
  // Every picture is the upright unit quad.
  for (int i : Indices("glBegin")) {
    EXPECT_EQ(calls[i].args, Args{GL_QUADS});
    ExpectPictureQuad(i, 1, 1);
  }
}

TEST_F(GroupLogo, ClearsToBlackAndLeavesTheStandardState) {
  Frame(2000);
  const auto& calls = GLRecorder::Calls();
  EXPECT_EQ(calls[0].args, (Args{0, 0, 0, 0}));
  EXPECT_EQ(calls[1].args, Args{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});
  EXPECT_EQ(GLRecorder::Named("glBlendFunc")[0].args, (Args{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_LT(GLRecorder::Find("glDisable"), GLRecorder::Find("glBegin"));  // no depth test while drawing
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
