#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "app/CommandLine.h"
#include "app/QuorixSystem.h"
#include "effects/FadeEffects.h"
#include "effects/LetterboxEffect.h"
#include "services/DemoTimer.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/RecordingBoxes.h"

namespace {

void ClearTo(float r, float g, float b) {
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Rows of the middle column that are black, from the top edge down.
int BlackRowsFromTop(GLTestWindow& w, int height) {
  int rows = 0;
  while (rows < height) {
    GLTestWindow::Pixel p = w.At(w.window.width / 2, rows);
    if (p.r + p.g + p.b > 30) break;
    ++rows;
  }
  return rows;
}

}  // namespace

class LetterboxPixels : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(LetterboxPixels, BarsCoverAbout13Point8PercentTopAndBottom) {
  RecordingBoxes boxes;
  const int width = GetParam().first, height = GetParam().second;
  GLTestWindow w(width, height);
  ASSERT_TRUE(w.ok);
  ClearTo(1, 1, 1);
  LetterboxEffect box(nullptr);
  box.Render(1, 0);
  // Inner bar edge at y = 0.03 on the near plane: (1 - 0.03 / (0.1 tan 22.5°)) / 2 of the height.
  const double share = (1.0 - 0.03 / (0.1 * std::tan(22.5 * M_PI / 180.0))) / 2.0;
  EXPECT_NEAR(BlackRowsFromTop(w, height), share * height, 1.5);
  int bottom = 0;
  while (bottom < height && w.At(0, height - 1 - bottom).r < 10) ++bottom;
  EXPECT_NEAR(bottom, share * height, 1.5);
  const GLTestWindow::Pixel middle = w.At(width / 2, height / 2);
  EXPECT_EQ(middle.r + middle.g + middle.b, 3 * 255);
  EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, LetterboxPixels, WindowSizes());

TEST(FaderPixels, BlackAndWhiteFadesAtKnownAlphas) {
  RecordingBoxes boxes;
  GLTestWindow w(640, 480);
  ASSERT_TRUE(w.ok);
  FadeOutEffect out(nullptr);
  out.SetParam(1, 1000.0f);
  out.SetParam(2, 1.0f);
  ClearTo(0, 0, 0);
  out.Render(10500, 10000);  // half way to white
  EXPECT_NEAR(w.At(320, 240).r, 128, 2);
  FadeInEffect in(nullptr);
  in.SetParam(1, 1000.0f);
  in.SetParam(2, 0.0f);
  ClearTo(1, 1, 1);
  in.Render(250, 0);  // alpha 0.75 black over white
  EXPECT_NEAR(w.At(320, 240).g, 64, 2);
  ClearTo(0, 0, 1);
  in.Render(1500, 0);  // alpha -0.5: clamped, the picture shows untouched
  const GLTestWindow::Pixel p = w.At(320, 240);
  EXPECT_EQ(p.r, 0);
  EXPECT_EQ(p.b, 255);
}

namespace {

// The real display, reading two pixels of every frame before the swap.
class ProbeDisplay : public SdlDisplay {
 public:
  void Swap() override {
    unsigned char p[4];
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    glReadBuffer(GL_BACK);
    glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    middle = {p[0], p[1], p[2]};
    glReadPixels(width / 2, height - 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    top = {p[0], p[1], p[2]};
    SdlDisplay::Swap();
  }
  GLTestWindow::Pixel middle{}, top{};
};

}  // namespace

TEST(FramePixels, GapsBetweenScenesDrawOnlyTheBars) {
  RecordingBoxes boxes;
  ProbeDisplay display;
  FakeClock clock;
  FixedSetupDialog dialog(WindowedWithoutSound());
  Platform platform;
  platform.clock = &clock;
  platform.display = &display;
  platform.dialog = &dialog;
  QuorixSystem* system = new QuorixSystem(platform);
  ASSERT_TRUE(system->Setup());
  system->timer->Start();
  for (int now : {11500, 11501, 11999, 12000, 15000, 15500, 15750}) {
    SCOPED_TRACE(now);
    ClearTo(0, 1, 0);  // whatever the back buffer held stays, apart from the bars
    clock.ms = now;
    system->DrawFrame();
    EXPECT_EQ(display.middle.g, 255);
    EXPECT_EQ(display.middle.r, 0);
    EXPECT_EQ(display.top.r + display.top.g + display.top.b, 0);
  }
  delete system;
}
