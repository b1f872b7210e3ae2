#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/PresentsEffect.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

using Args = std::vector<double>;

class Presents : public PictureSceneTest<PresentsEffect, EffectId::presentsCaption> {};

}  // namespace

TEST_F(Presents, InitLoadsLatinThenArabicCaption) { ExpectNamedInOrder({Slot::presents, Slot::presents_arabic}); }

TEST_F(Presents, LatinFirstThenArabicWithUnclampedAlphas) {
  const unsigned latin = Id(Slot::presents), arabic = Id(Slot::presents_arabic);
  EXPECT_EQ(Frame(1000), (Draws{{latin, 0.5}, {arabic, 0.5}}));
  // Outside [0, 1] at both ends of the window, passed as they are.
  EXPECT_EQ(Frame(1), LatinAndArabic(latin, arabic, 1));
  EXPECT_EQ(Frame(2999), LatinAndArabic(latin, arabic, 2999));
  EXPECT_NEAR(Frame(2999)[0].second, 2.499, 1e-6);
}

TEST_F(Presents, BothCaptionsCentredWithoutShiftAndStandardStateLeft) {
  Frame(1700);
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 1);
  ASSERT_EQ(GLRecorder::Count("glTranslatef"), 1);
  EXPECT_EQ(GLRecorder::Named("glTranslatef")[0].args, (Args{0, 0, -3}));
  EXPECT_EQ(GLRecorder::Count("glBegin"), 2);
  ExpectUnitQuadsOnly();
  ExpectBlackClearAndBlending();
  EXPECT_TRUE(LeftPictureStateOff());
}
