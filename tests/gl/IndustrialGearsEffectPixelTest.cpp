#include "effects/IndustrialGearsEffect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "effects/BallEffect.h"
#include "services/Random.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

bool White(const GLTestWindow::Pixel& p) { return p.r == 255 && p.g == 255 && p.b == 255; }

// The gear is a flat disc fanned from its rim (two rim points, then the
// centre) and every picture is transparent, so the white clear colour shows.
class IndustrialGearsEffectPixelTest : public MeshScenePixelTest<IndustrialGearsEffect, EffectId::industrialGears> {
 protected:
  void WriteModels() override { WriteModel("gear.tri", RimFirstDisc(0.5f, 240), 240); }

  // The first gear's centre, eye point (-2.5, 0, -7).
  int CentreX() const { return Column(-2.5, 7); }
  int CentreY() const { return Height() / 2; }
  // Height of the first gear in the column through its centre.
  int GearHeight() {
    return Count(CentreX(), 0, CentreX(), Height() - 1, [](const GLTestWindow::Pixel& p) { return !White(p); });
  }
};

}  // namespace

TEST_P(IndustrialGearsEffectPixelTest, GreyGearsOnWhiteWithAnEdgeOnlyBetweenVertexOneAndTwo) {
  Frame(5000);
  for (auto [x, y] : {std::pair{5, 5}, std::pair{Width() - 5, 5}, std::pair{5, Height() - 5}})
    EXPECT_TRUE(White(window.At(x, y))) << x << "," << y;
  // The light lies far behind the gears: their faces get only the global
  // ambient 0.2 of the grey 0.5. The fan's spokes (vertex 2 to 3 and 3 to 1)
  // are not outlined, so no black line crosses the centre.
  auto ambientGrey = [](const GLTestWindow::Pixel& p) { return std::abs(p.r - 26) <= 1 && p.r == p.g && p.g == p.b; };
  EXPECT_EQ(Count(CentreX() - 3, CentreY() - 3, CentreX() + 3, CentreY() + 3, ambientGrey), 7 * 7);
  // The rim (vertex 1 to 2 of every triangle) is outlined in black.
  EXPECT_GT(Count(CentreX() - 4, 0, CentreX() + 4, CentreY(), NearlyBlack), 0);
}

TEST_P(IndustrialGearsEffectPixelTest, FlickerScaleEnlargesTheGears) {
  Frame(1499);
  const int normal = GearHeight();
  Random::Seed(31);
  Frame(1500);
  const float s = scene.flickerScale;
  ASSERT_GT(s, 1.2f);
  // The first gear is scaled by s + 1 in its plane, 2 without flicker.
  EXPECT_NEAR(static_cast<double>(GearHeight()) / normal, (s + 1) / 2, 0.05);
}

TEST_P(IndustrialGearsEffectPixelTest, TheBallsThinSmoothLineSettingsReachTheGearsUnchanged) {
  WriteBallModels();
  BallEffect ball{&bank};
  ball.Init();
  RenderInWindow(ball, EffectId::ball, 5000);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  Frame(5000);
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

INSTANTIATE_TEST_SUITE_P(Sizes, IndustrialGearsEffectPixelTest, WindowSizes());
