#include "effects/IndustrialGearsEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>

#include "effects/BallEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/SceneTest.h"

namespace {

const int kStart = SceneStart(EffectId::industrialGears);  // the scene's window, from the timeline

// The gear is a flat disc fanned from its rim (two rim points, then the
// centre) and every picture is transparent, so the white clear colour shows.
class IndustrialGearsEffectPixelTest : public MeshPixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ASSERT_TRUE(dir.ok);
    dir.WriteTri("gear.tri", RimFirstDisc(0.5f, 240), 240, RimFirstDisc(0.5f, 240)[0]);
    gears.Init();
    PaintAllClear(bank);
  }

  // The first gear's centre, eye point (-2.5, 0, -7).
  int CentreX() const { return Column(-2.5, 7); }
  int CentreY() const { return Height() / 2; }
  // Height of the first gear in the column through its centre.
  int GearHeight() {
    int n = 0;
    for (int y = 0; y < Height(); ++y) {
      const auto p = window.At(CentreX(), y);
      n += !(p.r == 255 && p.g == 255 && p.b == 255);
    }
    return n;
  }

  IndustrialGearsEffect gears{&bank};
};

}  // namespace

TEST_P(IndustrialGearsEffectPixelTest, GreyGearsOnWhiteWithAnEdgeOnlyBetweenVertexOneAndTwo) {
  gears.Render(kStart + 5000, kStart);
  for (auto [x, y] : {std::pair{5, 5}, std::pair{Width() - 5, 5}, std::pair{5, Height() - 5}}) {
    const auto p = window.At(x, y);
    EXPECT_EQ(p.r + p.g + p.b, 3 * 255);
  }
  // The light lies far behind the gears: their faces get only the global
  // ambient 0.2 of the grey 0.5. The fan's spokes (vertex 2 to 3 and 3 to 1)
  // are not outlined, so no black line crosses the centre.
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      const auto p = window.At(CentreX() + dx, CentreY() + dy);
      EXPECT_NEAR(p.r, 26, 1);
      EXPECT_EQ(p.r, p.g);
      EXPECT_EQ(p.g, p.b);
    }
  // The rim (vertex 1 to 2 of every triangle) is outlined in black.
  int black = 0;
  for (int y = CentreY(); y >= 0; --y)
    for (int dx = -4; dx <= 4; ++dx) {
      const auto p = window.At(CentreX() + dx, y);
      black += p.r + p.g + p.b < 30;
    }
  EXPECT_GT(black, 0);
}

TEST_P(IndustrialGearsEffectPixelTest, FlickerScaleEnlargesTheGears) {
  gears.Render(kStart + 1499, kStart);
  const int normal = GearHeight();
  Random::Seed(31);
  gears.Render(kStart + 1500, kStart);
  const float s = gears.flickerScale;
  ASSERT_GT(s, 1.2f);
  // The first gear is scaled by s + 1 in its plane, 2 without flicker.
  EXPECT_NEAR(static_cast<double>(GearHeight()) / normal, (s + 1) / 2, 0.05);
}

TEST_P(IndustrialGearsEffectPixelTest, TheBallsThinSmoothLineSettingsReachTheGearsUnchanged) {
  dir.WriteTri("ball_hexagons.tri", Octahedron(0.3f), 120, Octahedron(0.3f)[0]);
  dir.WriteTri("ball_pentagons.tri", Octahedron(0.1f), 60, Octahedron(0.1f)[0]);
  BallEffect ball{&bank};
  ball.Init();
  ball.Render(80000, 75000);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  gears.Render(kStart + 5000, kStart);
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_FLOAT_EQ(width, 0.2f);
  GLint hint = 0;
  glGetIntegerv(GL_LINE_SMOOTH_HINT, &hint);
  EXPECT_EQ(hint, GL_NICEST);
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  // The gears' grey stays the material of later lit drawings.
  GLfloat material[4] = {};
  glGetMaterialfv(GL_BACK, GL_DIFFUSE, material);
  EXPECT_FLOAT_EQ(material[0], 0.5f);
  EXPECT_FLOAT_EQ(material[3], 1.0f);
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, material);
  EXPECT_FLOAT_EQ(material[1], 0.5f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(Sizes, IndustrialGearsEffectPixelTest,
                         WindowSizes());
