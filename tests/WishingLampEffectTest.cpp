#include "effects/WishingLampEffect.h"

#include <gtest/gtest.h>

#include <vector>

#include "effects/FlickeringLampEffect.h"
#include "services/Random.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/LampSceneExpect.h"
#include "tests/support/SceneTest.h"

using namespace lamptest;

namespace {

class WishingLamp : public LampSceneTest<WishingLampEffect, EffectId::wishingLamp> {
 protected:
  // Both lamp scenes initialised in the program's order.
  void InitInOrder() {
    first.Init();
    lamp.Init();
  }
  LampLayout Layout() const {
    return {true, 60.0f, -0.2f, 15.5f, -4.0f, true,
            Id(Slot::background01), Id(Slot::circle01), Id(Slot::lamp02), Id(Slot::ring),
            Id(Slot::lyrics_whatisyourwish)};
  }

  WishingLampEffect& lamp = scene;
  FlickeringLampEffect first{&bank};
};

}  // namespace

TEST_F(WishingLamp, StartUpTableTakesValues321To640AfterTheFlickeringLamp) {
  InitInOrder();
  Lcg g;
  g.Skip(320);
  ExpectArcTable(lamp.lightCircles, 80, g, 180, 7.0, 3);
  EXPECT_EQ(Random::State(), g.state) << "Init draws exactly 320 values";
  EXPECT_EQ(lamp.pi, 3.14159274f);
}

TEST_F(WishingLamp, InitLoadsItsFourTexturesButNotTheCircle) {
  lamp.Init();
  ExpectNamedInOrder({Slot::lamp02, Slot::ring, Slot::lyrics_whatisyourwish, Slot::background01});
  EXPECT_FALSE(bank.entries[Slot::circle01]->Loaded());  // the flickering lamp scene loads it
}

TEST_F(WishingLamp, FrameCallsInOrderOutsideAFlickerSlot) {
  InitInOrder();
  const std::vector<ArcSprite> before = Circles();
  Frame(6000);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), LampFrame(Layout(), 6000, before.data(), 1.0f).calls));
}

TEST_F(WishingLamp, FrameCallsInOrderInsideAFlickerSlotAndAfterTheLyric) {
  InitInOrder();
  Frame(4700);
  const float flicker = NextFlicker();
  std::vector<ArcSprite> before = Circles();
  Frame(9900);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), LampFrame(Layout(), 9900, before.data(), flicker).calls));
  before = Circles();
  Frame(10500);  // the lyric is over, the rest goes on
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), LampFrame(Layout(), 10500, before.data(), 1.0f).calls));
}

TEST_F(WishingLamp, BackgroundHasTurnedElevenDegreesAtTheEnd) {
  InitInOrder();
  Frame(10999);
  const std::vector<GLCall> rotations = GLRecorder::Named("glRotatef");
  ASSERT_FALSE(rotations.empty());
  EXPECT_EQ(rotations[0].args, (std::vector<double>{-10.999f, 0, 0, 1}));
}

TEST_F(WishingLamp, OneFreshDrawPerFrameOnlyInsideTheFlickerSlots) {
  InitInOrder();
  for (int e : {1, 1999, 2000, 2199, 2200, 4599, 4600, 4799, 4800, 7099, 7100, 7299, 7300, 9799, 9800, 9999, 10000,
                10999}) {
    SCOPED_TRACE(e);
    FlickerFrame(e);
  }
  int draws = 0;
  for (int e = 3; e < 11000; e += 10) draws += DrawsInFrame(e);
  EXPECT_EQ(draws, 80);
}

TEST_F(WishingLamp, LyricStrictlyInsideItsTenSecondsDriftingRight) {
  InitInOrder();
  for (int e : {0, 10000, 10999}) {
    Frame(e);
    EXPECT_FALSE(Shows(Slot::lyrics_whatisyourwish)) << e;
  }
  Frame(9999);
  EXPECT_TRUE(Shows(Slot::lyrics_whatisyourwish));
  Frame(5000);
  ASSERT_TRUE(Shows(Slot::lyrics_whatisyourwish));
  EXPECT_EQ(AlphaOf(Slot::lyrics_whatisyourwish), 1.0);
  EXPECT_EQ(GLRecorder::Named("glTranslatef").back().args, (std::vector<double>{-1.0, -2.0, -10.0}));
}

TEST_F(WishingLamp, LeavesTexturingAndBlendingOffAndDepthTestOn) {
  InitInOrder();
  Frame(7200);
  ExpectLeftClean();
}
