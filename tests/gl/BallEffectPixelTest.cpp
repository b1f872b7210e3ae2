#include "effects/BallEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>

#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::ball);  // the scene's window, from the timeline

// The ball is an octahedron of hexagon faces (the pentagons a smaller one
// hidden inside) and every picture is transparent.
class BallEffectPixelTest : public MeshPixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ASSERT_TRUE(dir.ok);
    dir.WriteTri("ball_hexagons.tri", Octahedron(0.3f), 120, Octahedron(0.3f)[0]);
    dir.WriteTri("ball_pentagons.tri", Octahedron(0.1f), 60, Octahedron(0.1f)[0]);
    ball.Init();
    PaintAllClear(bank);
  }

  // Screen position of the eye point (x, 0.2, -3.5): the ball's depth and row.
  int Column(double x) const { return MeshPixelTest::Column(x, 3.5); }
  int Row() const { return MeshPixelTest::Row(0.2, 3.5); }
  bool Background(const GLTestWindow::Pixel& p) const { return p.r == 0 && p.g == 0 && p.b >= 127; }
  int BallWidth() {
    int n = 0;
    for (int x = 0; x < Width(); ++x) n += !Background(window.At(x, Row()));
    return n;
  }

  BallEffect ball{&bank};
};

}  // namespace

TEST_P(BallEffectPixelTest, WhiteLitBallWithBlackEdgesOnDarkBlue) {
  ball.Render(kStart + 5000, kStart);
  EXPECT_TRUE(Background(window.At(5, 5)));
  EXPECT_TRUE(Background(window.At(5, Height() - 5)));
  const auto centre = window.At(Column(1.0), Row());
  EXPECT_GT(centre.r, 200);
  EXPECT_EQ(centre.r, centre.g);
  EXPECT_EQ(centre.g, centre.b);
  bool black = false;
  for (int x = Column(0.7); x <= Column(1.3); ++x) {
    const auto p = window.At(x, Row());
    black = black || p.r + p.g + p.b < 30;
  }
  EXPECT_TRUE(black);
}

TEST_P(BallEffectPixelTest, SwellMakesTheBallWiderAndItsLitFacesDarkerByAThird) {
  ball.Render(kStart + 2549, kStart);
  const int width = BallWidth();
  const int lit = window.At(Column(1.1), Row()).r;
  ball.Render(kStart + 2550, kStart);  // first millisecond of the first swell
  const int swollenWidth = BallWidth();
  const int swollenLit = window.At(Column(1.1), Row()).r;
  EXPECT_NEAR(static_cast<double>(swollenWidth) / width, 1.5, 0.15);
  // The normals shrink to 2/3 with the scale and are not renormalised: only
  // the diffuse part above the global ambient 0.2 (51) drops.
  ASSERT_GT(lit, 120);
  ASSERT_LT(lit, 250);
  EXPECT_NEAR(swollenLit, 51 + (lit - 51) * 2.0 / 3.0, 3);
  ball.Render(kStart + 2750, kStart);  // back to its own size (turned by 2 degrees since)
  EXPECT_NEAR(static_cast<double>(BallWidth()) / width, 1.0, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BallEffectPixelTest,
                         WindowSizes());
