#include <gtest/gtest.h>

#include "services/Random.h"

TEST(Random, FirstValuesFromStateOneAndAfterSeeding) {
  Random::Seed(1);
  EXPECT_EQ(Random::Next(), 41);
  EXPECT_EQ(Random::Next(), 18467);
  EXPECT_EQ(Random::Next(), 6334);
  Random::Seed(1);
  EXPECT_EQ(Random::Next(), 41);
}

TEST(Random, StateWrapsModulo2To32AndValuesStayIn15Bits) {
  Random::Seed(0xFFFFFFFFu);
  const int v = Random::Next();
  // (2^32 - 1) * 214013 + 2531011 mod 2^32 = 2317 + ... computed in 64 bits here.
  const std::uint64_t expected = (0xFFFFFFFFull * 214013ull + 2531011ull) & 0xFFFFFFFFull;
  EXPECT_EQ(Random::State(), expected);
  EXPECT_EQ(v, static_cast<int>((expected >> 16) & 0x7FFF));
  for (int i = 0; i < 100000; ++i) {
    const int r = Random::Next();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
  }
}
