#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "app/CommandLine.h"
#include "app/QuorixSystem.h"
#include "effects/FadeEffects.h"
#include "effects/LetterboxEffect.h"
#include "effects/SceneClip.h"
#include "services/DemoTimer.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/BoxedWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/KeptFrames.h"
#include "tests/support/RecordingBoxes.h"
#include "window/GLWindow.h"

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

// A scene clipped to the rows the bars leave open ends as the same frame as
// unclipped: the clip reaches only under the bars. Shaded so that every row
// differs; also inside a window's own scissor box (a window that is not 4:3).
TEST_P(LetterboxPixels, ClippingTheScenesToTheOpenRowsChangesNoPixel) {
  RecordingBoxes boxes;
  const int width = GetParam().first, height = GetParam().second;
  GLTestWindow w(width, height);
  ASSERT_TRUE(w.ok);
  auto frame = [&](bool clipped) {
    if (clipped) ClipScenesToBars();
    glClearColor(1, 1, 1, 1);
    ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glColor3f(1, 0, 0);
    glVertex3f(-1, -1, -1);
    glVertex3f(1, -1, -1);
    glColor3f(0, 0, 1);
    glVertex3f(1, 1, -1);
    glVertex3f(-1, 1, -1);
    glEnd();
    LetterboxEffect(nullptr).Render(1, 0);
    return ReadFrame(width, height);
  };
  for (const bool windowBox : {false, true}) {
    if (windowBox) {
      glScissor(1, 2, width - 2, height - 3);
      glEnable(GL_SCISSOR_TEST);
    }
    const auto whole = frame(false);
    ClipScenesToBars();
    GLint box[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_TRUE(height < 100 || box[3] < height * 4 / 5) << "nothing clipped: " << box[3];
    UnclipScenes();
    EXPECT_EQ(Differing(frame(true), whole), 0) << (windowBox ? "inside the window's box" : "whole window");
    EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), windowBox ? GL_TRUE : GL_FALSE);
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_TRUE(!windowBox || box[3] == height - 3) << "window's box not put back";
  }
  glDisable(GL_SCISSOR_TEST);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LetterboxPixels,
                         ::testing::Values(std::make_pair(17, 13), std::make_pair(320, 240),
                                           std::make_pair(640, 480), std::make_pair(1000, 750),
                                           std::make_pair(1024, 768)));

TEST(FaderPixels, BlackAndWhiteFadesAtKnownAlphas) {
  RecordingBoxes boxes;
  GLTestWindow w(640, 480);
  ASSERT_TRUE(w.ok);
  FadeOutEffect out(nullptr);
  out.SetParam(FaderEffect::Duration, 1000.0f);
  out.SetParam(FaderEffect::Grey, 1.0f);
  ClearTo(0, 0, 0);
  out.Render(10500, 10000);  // half way to white
  EXPECT_NEAR(w.At(320, 240).r, 128, 2);
  FadeInEffect in(nullptr);
  in.SetParam(FaderEffect::Duration, 1000.0f);
  in.SetParam(FaderEffect::Grey, 0.0f);
  ClearTo(1, 1, 1);
  in.Render(250, 0);  // alpha 0.75 black over white
  EXPECT_NEAR(w.At(320, 240).g, 64, 2);
  ClearTo(0, 0, 1);
  in.Render(1500, 0);  // alpha -0.5: clamped, the picture shows untouched
  const GLTestWindow::Pixel p = w.At(320, 240);
  EXPECT_EQ(p.r, 0);
  EXPECT_EQ(p.b, 255);
}

// The real display, keeping a copy of every frame before it is swapped.
using FrameDisplay = KeptFrames<>;

TEST(FramePixels, GapsBetweenScenesDrawOnlyTheBars) {
  RecordingBoxes boxes;
  DemoMachine<FrameDisplay> machine;
  auto& [clock, display, dialog, platform] = machine;
  QuorixSystem* system = new QuorixSystem(platform);
  ASSERT_TRUE(system->Setup());
  system->timer->Start();
  for (int now : {11500, 11501, 11999, 12000, 15000, 15500, 15750}) {
    SCOPED_TRACE(now);
    ClearTo(0, 1, 0);  // whatever the back buffer held stays, apart from the bars
    clock.counter = now;
    system->DrawFrame();
    const FrameDisplay::Pixel middle = display.At(display.width / 2, display.height / 2);
    const FrameDisplay::Pixel top = display.At(display.width / 2, 1);
    EXPECT_EQ(middle.g, 255);
    EXPECT_EQ(middle.r, 0);
    EXPECT_EQ(top.r + top.g + top.b, 0);
  }
  delete system;
}

// Any window size: the client area is exactly the size asked for, the 4:3
// picture fills its largest centred part (white as a scene clears it, the
// letterbox bars at its own top and bottom), everything around it is black,
// and the scene's clear colour is still its own afterwards.
struct WideCase {
  int width, height;
  int x, top, pictureWidth, pictureHeight;  // the picture, `top` rows from the top edge
};

class WideWindowPixels : public ::testing::TestWithParam<WideCase> {};

TEST_P(WideWindowPixels, PictureCentredWithBlackAround) {
  const WideCase c = GetParam();
  BoxedWindow<FrameDisplay> boxed(c.width, c.height, false);
  auto& [boxes, display, window] = boxed;
  ASSERT_TRUE(window.Create());
  ClearTo(1, 1, 1);
  LetterboxEffect(nullptr).Render(1, 0);
  window.Swap();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(ClearColour(), (std::vector<float>{1, 1, 1, 1}));
  ASSERT_EQ(display.width, c.width);
  ASSERT_EQ(display.height, c.height);

  int litOutside = 0, blackInMiddleRow = 0;
  const int middleRow = c.top + c.pictureHeight / 2;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const FrameDisplay::Pixel p = display.At(x, y);
      const bool inside = x >= c.x && x < c.x + c.pictureWidth && y >= c.top && y < c.top + c.pictureHeight;
      if (!inside) litOutside += p.r + p.g + p.b > 0;
      if (inside && y == middleRow) blackInMiddleRow += p.r + p.g + p.b < 3 * 255;
    }
  }
  EXPECT_EQ(litOutside, 0);
  EXPECT_EQ(blackInMiddleRow, 0);
  // The bars: as in a 4:3 window of the picture's size, counted from its own edges.
  const double share = (1.0 - 0.03 / (0.1 * std::tan(22.5 * M_PI / 180.0))) / 2.0;
  const int column = c.x + c.pictureWidth / 2;
  int topBar = 0, bottomBar = 0;
  while (topBar < c.pictureHeight && display.At(column, c.top + topBar).r == 0) ++topBar;
  while (bottomBar < c.pictureHeight && display.At(column, c.top + c.pictureHeight - 1 - bottomBar).r == 0)
    ++bottomBar;
  EXPECT_NEAR(topBar, share * c.pictureHeight, 1.5);
  EXPECT_NEAR(bottomBar, share * c.pictureHeight, 1.5);
  EXPECT_TRUE(boxes.boxes.empty());
  window.Destroy();
}

INSTANTIATE_TEST_SUITE_P(Sizes, WideWindowPixels,
                         ::testing::Values(WideCase{1280, 720, 160, 0, 960, 720}, WideCase{800, 640, 0, 20, 800, 600},
                                           WideCase{333, 250, 0, 0, 333, 250},
                                           WideCase{2048, 1536, 0, 0, 2048, 1536}));
