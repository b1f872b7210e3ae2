#include "effects/FlowerEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::flower);  // the scene's window, from the timeline

// The flower is an octahedron here (the stamens and stem smaller, hidden in
// it) and every picture is transparent, so the clear colour shows around it.
class FlowerEffectPixelTest : public MeshPixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ASSERT_TRUE(dir.ok);
    dir.WriteTri("flower_petal.tri", Octahedron(0.3f), 1320, Octahedron(0.3f)[0]);
    dir.WriteTri("flower_stamen.tri", Octahedron(0.1f), 40, Octahedron(0.1f)[0]);
    dir.WriteTri("flower_stem.tri", Octahedron(0.1f), 808, Octahedron(0.1f)[0]);
    flower.Init();
    PaintAllClear(bank);
  }

  // Screen column of the eye-space x offset dx at depth 4 (the flower's depth).
  int Column(double x) const { return MeshPixelTest::Column(x, 4); }

  FlowerEffect flower{&bank};
};

}  // namespace

TEST_P(FlowerEffectPixelTest, DarkBlueAroundAFlowerLitFromThePhotographsSide) {
  flower.Render(kStart + 5000, kStart);
  for (auto [x, y] : {std::pair{5, 5}, std::pair{Width() - 5, Height() / 2}, std::pair{5, Height() - 5}}) {
    const auto p = window.At(x, y);
    EXPECT_EQ(p.r, 0);
    EXPECT_EQ(p.g, 0);
    EXPECT_NEAR(p.b, 128, 1);
  }
  // The light sits just in front of the photograph, left of the flower: the
  // face towards it is lit, the face away from it gets only the global
  // ambient 0.2 of the petal colour (0.9, 0.9, 1).
  const auto away = window.At(Column(1.05), Height() / 2);
  EXPECT_NEAR(away.r, 46, 1);
  EXPECT_NEAR(away.g, 46, 1);
  EXPECT_NEAR(away.b, 51, 1);
  const auto towards = window.At(Column(0.85), Height() / 2);
  EXPECT_GT(towards.r, 150);
  EXPECT_EQ(towards.r, towards.g);
  EXPECT_GT(towards.b, towards.r);
  // Between them runs a black outline.
  bool black = false;
  for (int x = Column(0.85); x <= Column(1.05); ++x) {
    const auto p = window.At(x, Height() / 2);
    black = black || p.r + p.g + p.b < 30;
  }
  EXPECT_TRUE(black);
}

TEST_P(FlowerEffectPixelTest, FlyingPhotographBringsTheLightAroundToTheFront) {
  flower.Render(kStart + 5000, kStart);
  const int before = window.At(Column(1.05), Height() / 2).r;
  flower.Render(kStart + 9500, kStart);  // the photograph and its light fly towards the viewer
  const int after = window.At(Column(1.05), Height() / 2).r;
  EXPECT_NEAR(before, 46, 1);
  EXPECT_GT(after, 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FlowerEffectPixelTest,
                         WindowSizes());
