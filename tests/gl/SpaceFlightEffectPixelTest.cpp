#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "effects/SpaceFlightEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

const Rgba kBackdrop{0, 0, 80, 255};

class SpaceFlightPixels : public ScenePixelTest<SpaceFlightEffect, EffectId::spaceFlight> {
 protected:
  void Paint() override {
    PaintHalves(bank.entries[Slot::starfield], kBackdrop, kBackdrop);
    PaintHalves(bank.entries[Slot::star01], texel::white, texel::white);
    for (int slot : {Slot::planet01, Slot::planet02, Slot::planet03, Slot::planet04})
      PaintHalves(bank.entries[slot], texel::clear, texel::clear);
    PaintHalves(bank.entries[Slot::le2], texel::white, texel::white);
    PaintHalves(bank.entries[Slot::lyrics_ydi2], texel::red, texel::green);
    PaintHalves(bank.entries[Slot::lyrics_alone], texel::red, texel::green);
    glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
  }

  // Window pixel of a point in eye space under a 45 degree projection of aspect 1.
  static bool ToPixel(double x, double y, double z, double& px, double& py) {
    const double f = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    if (z >= 0) return false;
    px = (f * x / -z + 1.0) / 2.0 * kW;
    py = (1.0 - f * y / -z) / 2.0 * kH;
    return true;
  }
  GLTestWindow::Pixel AtPixel(double px, double py) { return window.At(static_cast<int>(px), static_cast<int>(py)); }
};

}  // namespace

TEST_F(SpaceFlightPixels, StarsLieWhereTheSquareFarReachingProjectionPutsThem) {
  Frame(500);  // first frame: travel 0.002, yaw 0.02, no lyric yet

  const double yaw = scene.yaw * 3.14159265358979 / 180.0;
  const double dz = 20.0 * scene.travel - 100.0;
  std::vector<std::pair<double, double>> all;
  std::vector<std::pair<double, double>> near;  // large enough to cover their centre pixel
  Random::Seed(666);
  for (int i = 0; i < 3000; ++i) {
    const int z = Random::Next() % 800 - 400;
    const int y = Random::Next() % 100 - 50;
    const int x = Random::Next() % 400 - 200;
    const double ex = x * std::cos(yaw) + z * std::sin(yaw);
    const double ez = -x * std::sin(yaw) + z * std::cos(yaw) + dz;
    double px, py;
    if (!ToPixel(ex, y, ez, px, py)) continue;
    all.push_back({px, py});
    // Beyond 100 units of depth: only drawn with the far plane at 700.
    if (-ez > 110 && -ez < 280 && px > 4 && px < 0.9 * kW && py > 4 && py < kH - 4) near.push_back({px, py});
  }
  ASSERT_GT(near.size(), 20u);
  for (const auto& p : near) {
    const GLTestWindow::Pixel got = AtPixel(p.first, p.second);
    ASSERT_EQ(got.r, 255) << "star at " << p.first << ", " << p.second;
    ASSERT_EQ(got.g, 255) << "star at " << p.first << ", " << p.second;
  }
  // Away from every star the backdrop shows.
  WindowPoints open;
  for (int py = 10; py < kH; py += 37) {
    for (int px = 10; px < 0.9 * kW; px += 41) {
      bool clear = true;
      for (const auto& p : all) clear = clear && (std::abs(p.first - px) > 6 || std::abs(p.second - py) > 6);
      if (clear) open.push_back({px, py});
    }
  }
  EXPECT_TRUE(AllAre(open, 0, 0, 80, 2)) << "backdrop";
  EXPECT_GT(open.size(), 50u);
}

TEST_F(SpaceFlightPixels, LyricIsUprightAndTheSideStripTranslucent) {
  PaintHalves(bank.entries[Slot::star01], texel::clear, texel::clear);
  double px, py, qx, qy;
  // First lyric at s = 3.5: fully opaque, centred at (1.3, -2) at depth 20.
  ASSERT_TRUE(ToPixel(1.3, -1.5, -20, px, py));
  ASSERT_TRUE(ToPixel(1.3, -2.5, -20, qx, qy));
  Frame(3500);
  EXPECT_TRUE(Near(AtPixel(px, py), 255, 0, 0, 2)) << "lyric top";
  EXPECT_TRUE(Near(AtPixel(qx, qy), 0, 255, 0, 2)) << "lyric bottom";
  // Strip at x = 8: white at 0.3 over the backdrop.
  ASSERT_TRUE(ToPixel(8.0, 0.0, -20, px, py));
  EXPECT_TRUE(Near(AtPixel(px, 100), 77, 77, 133, 2)) << "side strip";
  EXPECT_TRUE(Near(AtPixel(px - 40, 100), 0, 0, 80, 2)) << "left of the strip";

  Frame(1000);  // not yet
  ASSERT_TRUE(ToPixel(2.0 - 0.2, -1.5, -20, px, py));
  EXPECT_TRUE(Near(AtPixel(px, py), 0, 0, 80, 2)) << "no lyric at 1000";
}

TEST_F(SpaceFlightPixels, LeavesTheSquareNearProjectionAndTheClearColour) {
  Frame(500);
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double f = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
  const double n = static_cast<double>(0.1f), far = 100.0;
  EXPECT_NEAR(m[0], f, 1e-5);  // aspect 1: the same scale in x as in y
  EXPECT_NEAR(m[5], f, 1e-5);
  EXPECT_NEAR(m[10], (far + n) / (n - far), 1e-5);
  EXPECT_NEAR(m[14], 2 * far * n / (n - far), 1e-6);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(ClearColour()[2], 0.5f);
  EXPECT_TRUE(StateAsAgreed());
}
