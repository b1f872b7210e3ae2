#include "effects/BallEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/gl/PixelTestSupport.h"

namespace {

bool Background(const GLTestWindow::Pixel& p) { return p.r == 0 && p.g == 0 && p.b >= 127; }

// The ball is an octahedron of hexagon faces (the pentagons a smaller one
// hidden inside) and every picture is transparent.
class BallEffectPixelTest : public MeshScenePixelTest<BallEffect, EffectId::ball> {
 protected:
  void WriteModels() override { WriteBallModels(); }

  // Screen position of the eye point (x, 0.2, -3.5): the ball's depth and row.
  int Column(double x) const { return PixelWindow::Column(x, 3.5); }
  int Row() const { return PixelWindow::Row(0.2, 3.5); }
  int BallWidth() {
    return Count(0, Row(), Width() - 1, Row(), [](const GLTestWindow::Pixel& p) { return !Background(p); });
  }
};

}  // namespace

TEST_P(BallEffectPixelTest, WhiteLitBallWithBlackEdgesOnDarkBlue) {
  Frame(5000);
  EXPECT_TRUE(Background(window.At(5, 5)));
  EXPECT_TRUE(Background(window.At(5, Height() - 5)));
  const auto centre = window.At(Column(1.0), Row());
  EXPECT_GT(centre.r, 200);
  EXPECT_EQ(centre.r, centre.g);
  EXPECT_EQ(centre.g, centre.b);
  EXPECT_GT(Count(Column(0.7), Row(), Column(1.3), Row(), NearlyBlack), 0);
}

TEST_P(BallEffectPixelTest, SwellMakesTheBallWiderAndItsLitFacesDarkerByAThird) {
  Frame(2549);
  const int width = BallWidth();
  const int lit = window.At(Column(1.1), Row()).r;
  Frame(2550);  // first millisecond of the first swell
  const int swollenWidth = BallWidth();
  const int swollenLit = window.At(Column(1.1), Row()).r;
  EXPECT_NEAR(static_cast<double>(swollenWidth) / width, 1.5, 0.15);
  // The normals shrink to 2/3 with the scale and are not renormalised: only
  // the diffuse part above the global ambient 0.2 (51) drops.
  ASSERT_GT(lit, 120);
  ASSERT_LT(lit, 250);
  EXPECT_NEAR(swollenLit, 51 + (lit - 51) * 2.0 / 3.0, 3);
  Frame(2750);  // back to its own size (turned by 2 degrees since)
  EXPECT_NEAR(static_cast<double>(BallWidth()) / width, 1.0, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BallEffectPixelTest, WindowSizes());
