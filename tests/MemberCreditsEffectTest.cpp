#include "effects/MemberCreditsEffect.h"

#include <gtest/gtest.h>

#include <vector>

#include "effects/FlickeringLampEffect.h"
#include "effects/WishingLampEffect.h"
#include "services/Random.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/LampSceneExpect.h"
#include "tests/support/SceneTest.h"

using namespace lamptest;

namespace {

constexpr float kPi = 3.14159274f;

class MemberCredits : public LampSceneTest<MemberCreditsEffect, EffectId::memberCredits> {
 protected:
  // The calls of a frame at `elapsed`, given the rings before the frame.
  Stream Expected(int elapsed, const std::vector<ArcSprite>& rings) const {
    const float x = static_cast<float>(elapsed) / 1000.0f;
    Stream s;
    s.Opening(0.0f);
    s.Identity().Translate(0, 0, -1.4f).Rotate(-16, 0, 1, 0).Colour(1, 1, 1, 0.02f).Bind(Id(Slot::background02));
    s.Quad(1, 1);
    s.Identity().Translate(-15, 10, 0).Bind(Id(Slot::ring02)).Arcs(rings.data(), 180, 90, 20);
    s.Identity().Translate(x / 5 - 3, -6, -24);
    s.Colour(1, 1, 1, static_cast<float>(std::sin(static_cast<double>((x + 5) * kPi / 30)) - 0.3));
    s.Bind(Id(Slot::le1)).Quad(16, 1);
    s.Identity().Translate(-0.8f, -0.5f, -3).Scale(2, 2, 0).Colour(1, 1, 1, 0.2f).Bind(Id(Slot::vqLogo)).Quad(1, 1);
    if (elapsed > 5000 && elapsed < 12000)
      s.Identity().Translate(0, 0, -3).Colour(1, 1, 1, SineAlpha((x - 5) * kPi / 7)).Bind(Id(Slot::pelmar)).Quad(1, 1);
    if (elapsed > 11000 && elapsed < 16000)
      s.Identity().Translate(0, 0, -3).Colour(1, 1, 1, SineAlpha((x - 11) * kPi / 5)).Bind(Id(Slot::drevko)).Quad(1, 1);
    return s.Closing();
  }
  std::vector<ArcSprite> Rings() const { return {credits.rings, credits.rings + 180}; }

  MemberCreditsEffect& credits = scene;
  FlickeringLampEffect lamp1{&bank};
  WishingLampEffect lamp2{&bank};
};

// Radii in whole units here.
void ExpectRingTable(const MemberCreditsEffect& credits, Lcg& g) { ExpectArcTable(credits.rings, 180, g, 130, 1.0, 4); }

}  // namespace

TEST_F(MemberCredits, StartUpTableTakesValues641To1360AfterTheLampScenes) {
  lamp1.Init();
  lamp2.Init();
  credits.Init();
  Lcg g;
  g.Skip(640);
  ExpectRingTable(credits, g);
  EXPECT_EQ(Random::State(), g.state) << "Init draws exactly 720 values";
  EXPECT_EQ(credits.pi, kPi);
}

TEST_F(MemberCredits, StartUpTableOnItsOwnFromTheFreshGenerator) {
  credits.Init();
  Lcg g;
  ExpectRingTable(credits, g);
  EXPECT_EQ(credits.rings[0].angle, static_cast<float>(18467 % 130));
  EXPECT_EQ(credits.rings[0].radius, 34.0f);
}

TEST_F(MemberCredits, InitLoadsItsOwnTexturesFirstAndTheBorrowedOnesToo) {
  credits.Init();
  ExpectNamedInOrder({Slot::circle02, Slot::vqLogo, Slot::pelmar, Slot::drevko});
  // Drawn by this scene; loading them here as well leaves the scene whole on its own.
  EXPECT_TRUE(bank.entries[Slot::background02]->Loaded());
  EXPECT_TRUE(bank.entries[Slot::le1]->Loaded());
  EXPECT_TRUE(bank.entries[Slot::ring02]->Loaded());
  EXPECT_NE(Id(Slot::background02), 0u);
  EXPECT_NE(Id(Slot::le1), 0u);
  EXPECT_NE(Id(Slot::ring02), 0u);
}

TEST_F(MemberCredits, BorrowedTexturesLoadedEarlierKeepTheirNames) {
  bank.entries[Slot::background02]->Load();  // as an earlier scene's Init would
  const unsigned id = Id(Slot::background02);
  credits.Init();
  EXPECT_EQ(Id(Slot::background02), id);
  Frame(100);
  EXPECT_NE(BindIndex(id), -1);
}

TEST_F(MemberCredits, FrameCallsInOrderWithOneMember) {
  credits.Init();
  const std::vector<ArcSprite> before = Rings();
  Frame(8500);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), Expected(8500, before).calls));
}

TEST_F(MemberCredits, FrameCallsInOrderWhereTheMembersOverlap) {
  credits.Init();
  Frame(3000);
  const std::vector<ArcSprite> before = Rings();
  Frame(11500);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), Expected(11500, before).calls));
  EXPECT_LT(BindIndex(Id(Slot::pelmar)), BindIndex(Id(Slot::drevko)));  // drevko over pelmar
}

TEST_F(MemberCredits, RingsMovePerFrameAndNoRandomDraws) {
  credits.Init();
  const std::vector<ArcSprite> start = Rings();
  const std::uint32_t state = Random::State();
  for (int e : {15999, 1, 1}) Frame(e);
  EXPECT_EQ(Random::State(), state);
  ExpectStepped(credits.rings, start, 3);
}

TEST_F(MemberCredits, MembersOnlyStrictlyInsideTheirSlots) {
  credits.Init();
  for (int e : {1, 4999, 5000, 12000, 15999}) {
    Frame(e);
    EXPECT_EQ(AlphaOf(Slot::pelmar), -1.0) << e;
  }
  for (int e : {1, 10999, 11000}) {
    Frame(e);
    EXPECT_EQ(AlphaOf(Slot::drevko), -1.0) << e;
  }
  Frame(5001);
  EXPECT_GT(AlphaOf(Slot::pelmar), 0.0);
  EXPECT_LT(AlphaOf(Slot::pelmar), 0.001);
  Frame(11999);
  EXPECT_GT(AlphaOf(Slot::pelmar), 0.0);
  EXPECT_GT(AlphaOf(Slot::drevko), 0.5);
  Frame(11001);
  EXPECT_GT(AlphaOf(Slot::drevko), 0.0);
  Frame(15999);
  EXPECT_GT(AlphaOf(Slot::drevko), 0.0);
  EXPECT_LT(AlphaOf(Slot::drevko), 0.001);
  Frame(8500);
  EXPECT_FLOAT_EQ(AlphaOf(Slot::pelmar), 1.0f);
  Frame(13500);
  EXPECT_FLOAT_EQ(AlphaOf(Slot::drevko), 1.0f);
}

TEST_F(MemberCredits, StripAndLogoInEveryFrameStripNeverOpaque) {
  credits.Init();
  Frame(1);
  EXPECT_NEAR(AlphaOf(Slot::le1), 0.2, 1e-3);
  Frame(10000);
  EXPECT_FLOAT_EQ(AlphaOf(Slot::le1), 0.7f);
  Frame(15999);
  EXPECT_NEAR(AlphaOf(Slot::le1), 0.509, 1e-3);  // sin(0.7 pi) - 0.3
  for (int e = 1; e < 16000; e += 250) {
    Frame(e);
    const double strip = AlphaOf(Slot::le1);
    const float x = static_cast<float>(e) / 1000.0f;
    ASSERT_EQ(strip, static_cast<float>(std::sin(static_cast<double>((x + 5) * kPi / 30)) - 0.3)) << e;
    ASSERT_LE(strip, 0.7000001);
    ASSERT_EQ(AlphaOf(Slot::vqLogo), 0.2f) << e;
  }
}

TEST_F(MemberCredits, MemberAlphasAreDoubleSinesOfFloatArguments) {
  credits.Init();
  int singleDiffers = 0;
  for (int e = 5001; e < 16000; e += 11) {
    Frame(e);
    const float x = static_cast<float>(e) / 1000.0f;
    if (e < 12000) {
      const float expected = SineAlpha((x - 5) * kPi / 7);
      singleDiffers += std::sin((x - 5) * kPi / 7) != expected;
      ASSERT_EQ(AlphaOf(Slot::pelmar), expected) << e;
    }
    if (e > 11000) {
      const float expected = SineAlpha((x - 11) * kPi / 5);
      singleDiffers += std::sin((x - 11) * kPi / 5) != expected;
      ASSERT_EQ(AlphaOf(Slot::drevko), expected) << e;
    }
  }
  EXPECT_GT(singleDiffers, 0);
}

TEST_F(MemberCredits, LeavesTexturingAndBlendingOffDepthTestOnClearColourBlack) {
  credits.Init();
  Frame(11500);
  ExpectLeftClean();
  EXPECT_EQ(GLRecorder::Named("glClearColor").at(0).args, (std::vector<double>{0, 0, 0, 0}));
}
