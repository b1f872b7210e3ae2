#include <gtest/gtest.h>

#include <memory>

#include "app/QuorixSystem.h"
#include "effects/ClosingCreditsEffect.h"
#include "services/Random.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/GLRecorder.h"
#include "services/TextureBank.h"
#include "tests/support/RecordingBoxes.h"

namespace {

std::unique_ptr<QuorixSystem> StartDemo(Platform& platform) {
  auto system = std::make_unique<QuorixSystem>(platform);
  EXPECT_TRUE(system->Setup());
  return system;
}

}  // namespace

// Every scene's Init runs once, in member order, drawing its random numbers
// from the one generator: the closing credits' lines come out of draws 1361 to
// 1872 only when the lamps and the member credits drew exactly 1360 before.
TEST(Startup, ScenesDrawTheirStartUpRandomNumbersInMemberOrder) {
  RecordingBoxes boxes;
  FakeMachine machine;
  Random::Seed(1);  // the program's start state
  auto system = StartDemo(machine.platform);
  const FallingLine& first = system->closingCredits->lines[0];
  EXPECT_FLOAT_EQ(first.alpha, 0.15f);
  EXPECT_FLOAT_EQ(first.x, 12.0f);
  EXPECT_FLOAT_EQ(first.halfHeight, 0.5f);
  EXPECT_FLOAT_EQ(first.y, -10.0f);
  const FallingLine& second = system->closingCredits->lines[1];
  EXPECT_FLOAT_EQ(second.alpha, 0.1f);
  EXPECT_NEAR(second.x, -7.333f, 0.001f);
  EXPECT_FLOAT_EQ(second.halfHeight, 1.7f);
  EXPECT_FLOAT_EQ(second.y, 11.0f);
  // Start-up drew 1360 + 512 values and nothing else.
  Random::Seed(1);
  for (int i = 0; i < 1872; ++i) Random::Next();
  const std::uint32_t expected = Random::State();
  Random::Seed(1);
  auto again = StartDemo(machine.platform);
  EXPECT_EQ(Random::State(), expected);
}

// Slots that no scene asks for stay untouched; every other slot is loaded by
// some Init, so any effect may bind any of them from the first frame on.
TEST(Startup, EveryTextureButTwoIsLoadedBeforeTheFirstFrame) {
  RecordingBoxes boxes;
  FakeMachine machine;
  auto system = StartDemo(machine.platform);
  for (int slot = 0; slot < Slot::Count; ++slot) {
    SCOPED_TRACE(kTextureSlotNames[slot]);
    const bool unused = slot == Slot::gaussian || slot == Slot::layer01;
    EXPECT_EQ(system->textures->entries[slot]->Loaded(), !unused);
  }
}
