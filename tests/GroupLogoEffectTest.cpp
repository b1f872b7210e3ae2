#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/GroupLogoEffect.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

using Args = std::vector<double>;

class GroupLogo : public PictureSceneTest<GroupLogoEffect, EffectId::groupLogo> {};

}  // namespace

TEST_F(GroupLogo, InitLoadsLogoThenLatinThenArabicName) {
  ExpectNamedInOrder({Slot::vqLogo, Slot::vantelquorix, Slot::vantelquorix_arabic});
}

TEST_F(GroupLogo, LogoThenLatinThenArabicNameWithUnclampedAlphas) {
  const unsigned logoId = Id(Slot::vqLogo), latin = Id(Slot::vantelquorix), arabic = Id(Slot::vantelquorix_arabic);
  EXPECT_EQ(Frame(1000), (Draws{{logoId, 1.0}, {latin, 0.5}, {arabic, 0.5}}));
  // x = 0.1 and 2.9: x - 0.5 and (1 - x) + 0.5 reach the GL as they are, outside [0, 1].
  for (int elapsed : {100, 2900}) {
    Draws expected = {{logoId, 1.0}};
    const Draws names = LatinAndArabic(latin, arabic, elapsed);
    expected.insert(expected.end(), names.begin(), names.end());
    EXPECT_EQ(Frame(elapsed), expected) << elapsed;
  }
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
  ExpectUnitQuadsOnly();
}

TEST_F(GroupLogo, ClearsToBlackAndLeavesTheStandardState) {
  Frame(2000);
  ExpectBlackClearAndBlending();
  EXPECT_LT(GLRecorder::Find("glDisable"), GLRecorder::Find("glBegin"));  // no depth test while drawing
  EXPECT_TRUE(LeftPictureStateOff());
}
