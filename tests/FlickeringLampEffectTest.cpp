#include "effects/FlickeringLampEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "services/Random.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/LampSceneExpect.h"
#include "tests/support/SceneTest.h"

using namespace lamptest;

namespace {

class FlickeringLamp : public LampSceneTest<FlickeringLampEffect, EffectId::flickeringLamp> {
 protected:
  LampLayout Layout() const {
    return {false, 40.0f, -0.1f, -15.5f, 4.0f, false,
            Id(Slot::background01), Id(Slot::circle01), Id(Slot::lamp01), Id(Slot::ring),
            Id(Slot::lyrics_hereisalamp)};
  }

  FlickeringLampEffect& lamp = scene;
};

}  // namespace

TEST_F(FlickeringLamp, StartUpTableTakesTheFirst320ValuesOfTheSequence) {
  lamp.Init();
  Lcg g;
  ExpectArcTable(lamp.lightCircles, 80, g, 180, 7.0, 3);
  EXPECT_EQ(Random::State(), g.state) << "Init draws exactly 320 values";
  // The sequence from state 1 begins 41, 18467, 6334.
  EXPECT_EQ(lamp.lightCircles[0].alpha, 1.0f / 12.0f);
  EXPECT_EQ(lamp.lightCircles[0].angle, 107.0f);
  EXPECT_EQ(lamp.lightCircles[0].radius, 34.0f / 7.0f);
  EXPECT_EQ(lamp.pi, 3.14159274f);
}

TEST_F(FlickeringLamp, InitLoadsItsFiveTexturesInOrder) {
  lamp.Init();
  ExpectNamedInOrder({Slot::lamp01, Slot::ring, Slot::circle01, Slot::lyrics_hereisalamp, Slot::background01});
  int loaded = 0;
  for (TextureEntry* e : bank.entries) loaded += e->Loaded();
  EXPECT_EQ(loaded, 5);
}

TEST_F(FlickeringLamp, FrameCallsInOrderOutsideAFlickerSlot) {
  lamp.Init();
  const std::vector<ArcSprite> before = Circles();
  Frame(3000);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), LampFrame(Layout(), 3000, before.data(), 1.0f).calls));
}

TEST_F(FlickeringLamp, FrameCallsInOrderInsideAFlickerSlot) {
  lamp.Init();
  const float flicker = NextFlicker();
  const std::vector<ArcSprite> before = Circles();
  Frame(2100);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), LampFrame(Layout(), 2100, before.data(), flicker).calls));
  EXPECT_EQ(lamp.flickerScale, flicker);
}

TEST_F(FlickeringLamp, CirclesMovePerFrameWhateverTheTime) {
  lamp.Init();
  const std::vector<ArcSprite> start = Circles();
  Frame(9000);
  Frame(10);  // time going back changes nothing: the step is per frame
  Frame(10);
  ExpectStepped(lamp.lightCircles, start, 3);
  // The last frame drew every circle at its angle after two steps.
  const std::vector<GLCall> rotations = GLRecorder::Named("glRotatef");
  ASSERT_GE(rotations.size(), 80u);
  for (int i = 0; i < 80; ++i)
    EXPECT_FLOAT_EQ(rotations[i].args[0], 40.0f - (start[i].angle + start[i].speed + start[i].speed));
}

TEST_F(FlickeringLamp, OneFreshDrawPerFrameOnlyInsideTheFlickerSlots) {
  lamp.Init();
  for (int e : {1, 1999, 2000, 2199, 2200, 4599, 4600, 4799, 4800, 7099, 7100, 7299, 7300, 9799, 9800, 9999, 10000,
                10499, 2000, 2000}) {
    SCOPED_TRACE(e);
    const float expected = FlickerFrame(e);
    const std::vector<GLCall> scales = GLRecorder::Named("glScalef");
    ASSERT_EQ(scales.size(), 81u);  // 80 circles, then the lamp
    EXPECT_EQ(scales[80].args, (std::vector<double>{expected, expected, expected}));
  }
}

TEST_F(FlickeringLamp, WholeWindowDrawsOnlyInItsSlots) {
  lamp.Init();
  int draws = 0;
  for (int e = 5; e < 10500; e += 10) {
    const int n = DrawsInFrame(e);
    ASSERT_EQ(n, InFlickerSlot(e) ? 1 : 0) << e;
    draws += n;
  }
  EXPECT_EQ(draws, 80);  // 20 frames in each of the four 200 ms slots
}

TEST_F(FlickeringLamp, LyricOnlyStrictlyInsideItsTenSeconds) {
  lamp.Init();
  for (int e : {0, 10000, 10001, 10499}) {
    Frame(e);
    EXPECT_FALSE(Shows(Slot::lyrics_hereisalamp)) << e;
  }
  for (int e : {1, 9999}) {
    Frame(e);
    EXPECT_TRUE(Shows(Slot::lyrics_hereisalamp)) << e;
  }
  Frame(5000);
  ASSERT_TRUE(Shows(Slot::lyrics_hereisalamp));
  EXPECT_EQ(AlphaOf(Slot::lyrics_hereisalamp), 1.0);  // full opacity in the middle
  const std::vector<GLCall> moves = GLRecorder::Named("glTranslatef");
  EXPECT_EQ(moves.back().args, (std::vector<double>{2.0, -2.0, -10.0}));  // 3 - 5/5
}

TEST_F(FlickeringLamp, LyricAlphaIsTheDoubleSineOfTheFloatArgument) {
  lamp.Init();
  const float pi = 3.14159274f;
  int singleDiffers = 0;  // times where a single-precision sine would be caught
  for (int e = 1; e < 10000; e += 13) {
    const float x = static_cast<float>(e) / 1000.0f;
    const float expected = SineAlpha(x * pi / 10);
    singleDiffers += std::sin(x * pi / 10) != expected;
    Frame(e);
    ASSERT_TRUE(Shows(Slot::lyrics_hereisalamp)) << e;
    ASSERT_EQ(AlphaOf(Slot::lyrics_hereisalamp), expected) << e;
  }
  EXPECT_GT(singleDiffers, 0);
}

TEST_F(FlickeringLamp, LeavesTexturingAndBlendingOffAndDepthTestOn) {
  lamp.Init();
  for (int e : {1, 2000, 9999, 10499}) {
    Frame(e);
    ExpectLeftClean();
    EXPECT_EQ(GLRecorder::Named("glClearColor").at(0).args, (std::vector<double>{1, 1, 1, 0}));
  }
}
