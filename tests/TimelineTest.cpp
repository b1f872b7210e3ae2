#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "app/QuorixSystem.h"
#include "services/DemoTimer.h"
#include "tests/support/CallStream.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"
#include "window/GLWindow.h"

using CallStream::Matches;

namespace {

struct Fade {
  double grey, alpha;
};

// Fader quads of one frame: a colour, texturing off, identity, then the
// translation onto the near plane that only the faders use.
std::vector<Fade> Fades(const std::vector<GLCall>& calls) {
  std::vector<Fade> fades;
  for (size_t i = 0; i + 3 < calls.size(); ++i) {
    if (calls[i].name == "glColor4f" && Matches(calls[i + 1], {"glDisable", {GL_TEXTURE_2D}}) &&
        Matches(calls[i + 2], {"glLoadIdentity", {}}) && Matches(calls[i + 3], {"glTranslatef", {0, 0, -0.1f}}))
      fades.push_back({calls[i].args[0], calls[i].args[3]});
  }
  return fades;
}

int LetterboxBars(const std::vector<GLCall>& calls) {
  int bars = 0;
  for (const GLCall& c : calls)
    bars += Matches(c, {"glTranslatef", {0, 1.03f, -0.1f}}) || Matches(c, {"glTranslatef", {0, -1.03f, -0.1f}});
  return bars;
}

bool ProjectionReset(const std::vector<GLCall>& calls) {
  for (const GLCall& c : calls)
    if (Matches(c, {"gluPerspective", {45.0, 640.0 / 480.0, static_cast<double>(0.1f), 100.0}})) return true;
  return false;
}

// The whole demo on a fake display; DrawFrame is called at chosen times.
class TimelineFrames : public ::testing::Test, protected FakeMachine {
 protected:
  void SetUp() override {
    system = new QuorixSystem(platform);
    ASSERT_TRUE(system->Setup());
    clock.counter = 0;
    system->timer->Start();
    display.onSwap = [this] { frame = GLRecorder::Calls(); };
  }
  void TearDown() override { delete system; }

  const std::vector<GLCall>& FrameAt(int ms) {
    clock.counter = ms;
    frame.clear();
    system->DrawFrame();
    return frame;
  }

  RecordingBoxes boxes;
  QuorixSystem* system = nullptr;
  std::vector<GLCall> frame;
};

}  // namespace

TEST_F(TimelineFrames, FadeCuesHaveTheirDurationAndColour) {
  struct Case {
    int now;
    std::vector<Fade> fades;
  };
  const Case cases[] = {
      {2500, {{0, 0.5}}},     // opening fade-in over 5000 ms
      {8000, {{0, 0.5}}},     // fade-out of the first dunes window
      {8500, {}},             // exact boundary: nothing
      {9000, {{0, 0.5}}},     {11000, {{0, 0.5}}},
      {11700, {}},            // the gap without a scene
      {16750, {{0, 0.5}}},    // 2000 ms fade-in of the second dunes window
      {32000, {{1, 0.5}}},    // out to white
      {32750, {{1, 0.5}}},    // in from white over 500 ms
      {43000, {{1, 0.5}}},    // out to white again
      {44000, {{0, 0.5}}},    // black from the lamp on
      {100000, {}},
      {156500, {{0, -0.5}}},  // 2000 ms cue with a 1000 ms fade: the alpha is not clamped
      {176500, {{0, 0.5}}},   {177500, {{0, 0.5}}},
      {192500, {{0, 0.5}}},   // the last fade to black over 5000 ms
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.now);
    const std::vector<Fade> fades = Fades(FrameAt(c.now));
    ASSERT_EQ(fades.size(), c.fades.size());
    for (size_t i = 0; i < fades.size(); ++i) {
      EXPECT_NEAR(fades[i].grey, c.fades[i].grey, 1e-6);
      EXPECT_NEAR(fades[i].alpha, c.fades[i].alpha, 1e-6);
    }
  }
}

TEST_F(TimelineFrames, LetterboxBarsCloseEveryFrameInsideTheDemo) {
  EXPECT_EQ(LetterboxBars(FrameAt(0)), 0);  // the window (0, 200000) excludes 0
  for (int now : {1, 8500, 11700, 15000, 100000, 195000, 195001}) {
    SCOPED_TRACE(now);
    const std::vector<GLCall>& calls = FrameAt(now);
    EXPECT_EQ(LetterboxBars(calls), 2);
    // The bars come last: nothing is drawn after the second one.
    int last = -1;
    for (int i = 0; i < static_cast<int>(calls.size()); ++i)
      if (Matches(calls[i], {"glTranslatef", {0, -1.03f, -0.1f}})) last = i;
    ASSERT_GE(last, 0);
    // The bottom bar's own quad follows its translation; nothing after it.
    int begins = 0;
    for (size_t i = last + 1; i < calls.size(); ++i) begins += calls[i].name == "glBegin";
    EXPECT_EQ(begins, 1);
  }
}

TEST_F(TimelineFrames, ProjectionIsResetOnlyJustAfterTheSpaceFlight) {
  EXPECT_FALSE(ProjectionReset(FrameAt(154999)));
  EXPECT_FALSE(ProjectionReset(FrameAt(155000)));
  EXPECT_TRUE(ProjectionReset(FrameAt(155001)));
  EXPECT_TRUE(ProjectionReset(FrameAt(155099)));
  EXPECT_FALSE(ProjectionReset(FrameAt(155100)));
  // A window resized to 5:4 gets the reset of its 4:3 picture area.
  WindowEvent size;
  size.kind = WindowEvent::Size;
  size.width = 800;
  size.height = 640;
  system->window->HandleEvent(size);
  const std::vector<GLCall>& calls = FrameAt(155050);
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const GLCall& c) {
    return Matches(c, {"glViewport", {0, 40, 800, 600}});
  }));
}

TEST_F(TimelineFrames, PausedFrameDrawsNothingAndReadsNoClock) {
  FrameAt(5000);
  const int swaps = display.swaps;
  system->paused = true;
  clock.counter = 6000;
  frame.clear();
  GLRecorder::Clear();
  EXPECT_TRUE(system->DrawFrame());
  EXPECT_EQ(display.swaps, swaps);
  EXPECT_TRUE(GLRecorder::Calls().empty());
  EXPECT_EQ(system->now, 5000);
}
