#include "effects/LampScene.h"

#include <gtest/gtest.h>

#include "services/Random.h"
#include "tests/support/LampSceneExpect.h"
#include "tests/support/SceneTest.h"

using namespace lamptest;

TEST(LampScene, FlickerDrawsOncePerCallInsideTheSlotsAndNeverOutside) {
  const SavedRandom saved;  // the generator is as the next test expects it afterwards
  Random::Seed(1);
  Lcg g;
  int draws = 0;
  for (int e = -50; e <= 11000; ++e) {
    const float scale = LampScene::FlickerScale(e);
    if (InFlickerSlot(e)) {
      const int r = g.Next();
      ASSERT_EQ(scale, static_cast<float>((r % 50 + 60) / 100.0)) << e;
      ASSERT_GE(scale, 0.6f);
      ASSERT_LE(scale, 1.09f);
      ++draws;
    } else {
      ASSERT_EQ(scale, 1.0f) << e;
    }
    ASSERT_EQ(Random::State(), g.state) << e;
  }
  EXPECT_EQ(draws, 800);
}
