#include "effects/FlowerEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>

#include "tests/gl/PixelTestSupport.h"

namespace {

// The flower is an octahedron here (the stamens and stem smaller, hidden in
// it) and every picture is transparent, so the clear colour shows around it.
class FlowerEffectPixelTest : public MeshScenePixelTest<FlowerEffect, EffectId::flower> {
 protected:
  void WriteModels() override {
    WriteModel("flower_petal.tri", Octahedron(0.3f), 1320);
    WriteModel("flower_stamen.tri", Octahedron(0.1f), 40);
    WriteModel("flower_stem.tri", Octahedron(0.1f), 808);
  }

  // Screen column of the eye-space x offset dx at depth 4 (the flower's depth).
  int Column(double x) const { return PixelWindow::Column(x, 4); }
};

}  // namespace

TEST_P(FlowerEffectPixelTest, DarkBlueAroundAFlowerLitFromThePhotographsSide) {
  Frame(5000);
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
  EXPECT_GT(Count(Column(0.85), Height() / 2, Column(1.05), Height() / 2, NearlyBlack), 0);
}

TEST_P(FlowerEffectPixelTest, FlyingPhotographBringsTheLightAroundToTheFront) {
  Frame(5000);
  const int before = window.At(Column(1.05), Height() / 2).r;
  Frame(9500);  // the photograph and its light fly towards the viewer
  const int after = window.At(Column(1.05), Height() / 2).r;
  EXPECT_NEAR(before, 46, 1);
  EXPECT_GT(after, 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FlowerEffectPixelTest, WindowSizes());
