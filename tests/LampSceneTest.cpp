#include "effects/LampScene.h"

#include <gtest/gtest.h>

#include "services/Random.h"
#include "tests/LampSceneExpect.h"
#include "tests/support/GLRecorder.h"

using namespace lamptest;

TEST(LampScene, FlickerDrawsOncePerCallInsideTheSlotsAndNeverOutside) {
  Random::srand(1);
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

TEST(LampScene, QuadCornersAndTextureCoordinatesInOrder) {
  GLRecorder::Clear();
  LampScene::Quad(4.0f, 1.0f);
  Stream expected;
  expected.Quad(4.0f, 1.0f);
  EXPECT_TRUE(SameStream(GLRecorder::Calls(), expected.calls));
  // Spelled out once: the texture coordinate comes before its vertex.
  const auto& calls = GLRecorder::Calls();
  ASSERT_EQ(calls.size(), 10u);
  EXPECT_EQ(calls[1].name, "glTexCoord2f");
  EXPECT_EQ(calls[1].args, (std::vector<double>{1, 1}));
  EXPECT_EQ(calls[2].args, (std::vector<double>{4, -1, 0}));
  EXPECT_EQ(calls[7].args, (std::vector<double>{0, 1}));
  EXPECT_EQ(calls[8].args, (std::vector<double>{-4, -1, 0}));
}
