#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "effects/PresentsEffect.h"
#include "services/TextureBank.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SceneTest.h"

using namespace CallStream;

namespace {

using Args = std::vector<double>;
const int kStart = SceneStart(EffectId::presentsCaption);

class Presents : public SceneTest<PresentsEffect, EffectId::presentsCaption> {
 protected:
  // Renders one frame; returns (texture, alpha) of each picture in drawing order.
  Draws Frame(int elapsed) {
    SceneTest::Frame(elapsed);
    return PictureDraws();
  }

  PresentsEffect& caption = scene;
};

}  // namespace

TEST_F(Presents, InitLoadsLatinThenArabicCaption) {
  TextureBank fresh;
  PresentsEffect effect{&fresh};
  GLRecorder::Clear();
  effect.Init();
  EXPECT_EQ(fresh.entries[Slot::presents]->Id(), 1u);
  EXPECT_EQ(fresh.entries[Slot::presents_arabic]->Id(), 2u);
}

TEST_F(Presents, LatinFirstThenArabicWithUnclampedAlphas) {
  const unsigned latin = Id(Slot::presents), arabic = Id(Slot::presents_arabic);
  EXPECT_EQ(Frame(1000), (Draws{{latin, 0.5}, {arabic, 0.5}}));
  // Outside [0, 1] at both ends of the window, passed as they are.
  auto f = [](double v) { return static_cast<double>(static_cast<float>(v)); };
  EXPECT_EQ(Frame(1), (Draws{{latin, f(0.001f - 0.5)}, {arabic, f(static_cast<float>(1 - 0.001f) + 0.5)}}));
  EXPECT_EQ(Frame(2999), (Draws{{latin, f(2.999f - 0.5)}, {arabic, f(static_cast<float>(1 - 2.999f) + 0.5)}}));
  EXPECT_NEAR(Frame(2999)[0].second, 2.499, 1e-6);
}

TEST_F(Presents, BothCaptionsCentredWithoutShiftAndStandardStateLeft) {
  Frame(1700);
  const auto& calls = GLRecorder::Calls();
  EXPECT_EQ(calls[0].args, (Args{0, 0, 0, 0}));
  EXPECT_EQ(calls[1].args, Args{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});
  EXPECT_EQ(GLRecorder::Count("glLoadIdentity"), 1);
  ASSERT_EQ(GLRecorder::Count("glTranslatef"), 1);
  EXPECT_EQ(GLRecorder::Named("glTranslatef")[0].args, (Args{0, 0, -3}));
  EXPECT_EQ(GLRecorder::Count("glBegin"), 2);
  for (int i : Indices("glBegin")) {
    EXPECT_EQ(calls[i].args, Args{GL_QUADS});
    ExpectPictureQuad(i, 1, 1);
  }
  EXPECT_EQ(GLRecorder::Named("glBlendFunc")[0].args, (Args{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
