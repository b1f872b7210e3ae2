#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/QuorixSystem.h"
#include "platform/VirtualKeys.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/RecordingBoxes.h"
#include "window/GLWindow.h"

namespace {

// A demo on a fake display and clock: windowed, no sound. Each pass of the
// main loop advances the clock by 10 ms unless the script sets it.
class MainLoop : public ::testing::Test, protected FakeMachine {
 protected:
  void SetUp() override {
    platform.boxes = &boxes;
    system = new QuorixSystem(platform);
    ASSERT_TRUE(system->Setup());
    display.steps.clear();
    display.onSwap = [this] { nows.push_back(system->now); };
  }
  void TearDown() override { delete system; }

  // Runs the loop with `events` (pass number -> event); any other pass sees no
  // event. The clock reads 10 ms per pass; from `endPass` on it jumps past the
  // end. Pass 1000 closes the window, so a loop stuck in a pause still ends.
  void Run(std::vector<std::pair<int, WindowEvent>> events, int endPass = 30) {
    display.script = [this, events, endPass](int pass, WindowEvent& event) {
      clock.counter = pass >= endPass ? 400000 : pass * 10;
      if (pass >= 1000) {
        event.kind = WindowEvent::Quit;
        return true;
      }
      for (const auto& e : events)
        if (e.first == pass) {
          event = e.second;
          return true;
        }
      return false;
    };
    system->Run();
  }

  RecordingBoxes boxes;
  QuorixSystem* system = nullptr;
  std::vector<int> nows;  // demo time of every swapped frame
};

WindowEvent Down(int key) { return KeyEvent(WindowEvent::KeyDown, key); }
WindowEvent Up(int key) { return KeyEvent(WindowEvent::KeyUp, key); }

}  // namespace

TEST_F(MainLoop, PlaysToTheFirstFrameAfterTheEndAndNoFurther) {
  display.script = [this](int pass, WindowEvent& event) {
    clock.counter = 194998 + pass;  // 194999, 195000, 195001, ...
    event.kind = WindowEvent::Quit;
    return pass >= 1000;
  };
  system->Run();
  EXPECT_EQ(nows, (std::vector<int>{194999, 195000, 195001}));
  EXPECT_EQ(system->ending, QuorixSystem::Ending::DemoOver);
}

TEST_F(MainLoop, PausingTwiceWithF8PausesOnceAndF5ResumesFromThere) {
  // Paused at 30 ms; the second F8 (at 60 ms) must not move the pause point.
  Run({{2, Down(VK::F8)}, {5, Down(VK::F8)}, {8, Down(VK::F5)}}, 10);
  ASSERT_GE(nows.size(), 4u);
  EXPECT_EQ(nows[0], 10);
  EXPECT_EQ(nows[1], 20);
  EXPECT_EQ(nows[2], 30);  // pass 9: resumed at 90 ms, 30 ms of demo time had passed
  EXPECT_EQ(nows.size(), 4u);  // no frame while paused (passes 3 to 8)
}

TEST_F(MainLoop, F5WithoutPauseDoesNothing) {
  Run({{2, Down(VK::F5)}}, 5);
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 30, 40, 400000}));
}

TEST_F(MainLoop, F6WhilePausedRestartsAndUnpausesInOneStep) {
  Run({{2, Down(VK::F8)}, {4, Down(VK::F6)}}, 7);
  EXPECT_FALSE(system->paused);
  // Passes 1, 2 drawn; 3, 4 paused; pass 5 restarts at 50 ms: demo time 0.
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 0, 10, 399950}));
}

TEST_F(MainLoop, EscapeEndsAfterOneMoreFrame) {
  Run({{2, Down(VK::ESCAPE)}});
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(system->ending, QuorixSystem::Ending::Escape);
}

TEST_F(MainLoop, ClosingTheWindowEndsAfterOneMoreFrame) {
  WindowEvent quit;
  quit.kind = WindowEvent::Quit;
  Run({{3, quit}});
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(system->ending, QuorixSystem::Ending::WindowClosed);
}

TEST_F(MainLoop, KeysActOnlyOnPassesWithoutAnEvent) {
  // F8 pressed and released in a burst of events: never seen as held.
  WindowEvent other;
  Run({{2, Down(VK::F8)}, {3, Up(VK::F8)}, {6, Down(VK::F8)}, {7, other}}, 12);
  // The second press is looked at on pass 8 only, after the event of pass 7.
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 30, 40, 50, 60, 70}));
  EXPECT_TRUE(system->paused);
  EXPECT_EQ(system->ending, QuorixSystem::Ending::WindowClosed);  // stayed paused until the close
}

TEST_F(MainLoop, F1TogglesFullscreenAndKeepsTheClock) {
  display.changeModeOk = true;
  Run({{2, Down(VK::F1)}}, 5);
  EXPECT_TRUE(system->window->fullscreen);
  EXPECT_FALSE(system->window->keyDown[VK::F1]);
  const std::vector<std::string> expected = {"ReleaseCurrent", "DeleteContext", "CloseWindow", "Unregister",
                                             "Register",       "ChangeMode",    "HideCursor",  "OpenWindow",
                                             "CreateContext",  "MakeCurrent",   "ShowWindow"};
  EXPECT_EQ(display.steps, expected);
  // The new context shows the loading screen while it warms up: one more swap at the toggle.
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 20, 30, 40, 400000}));
}

TEST_F(MainLoop, FailedF1ToggleEndsTheLoopAtOnce) {
  display.openOk = false;
  Run({{2, Down(VK::F1)}});
  EXPECT_EQ(nows, (std::vector<int>{10, 20}));
  EXPECT_EQ(system->ending, QuorixSystem::Ending::ToggleFailed);
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_EQ(boxes.boxes.back().text, "Window Creation Error.");
  EXPECT_EQ(boxes.boxes.back().caption, "ERROR");
}

TEST_F(MainLoop, F1WhilePausedDrawsNothingUntilResumed) {
  Run({{2, Down(VK::F8)}, {4, Down(VK::F1)}, {7, Down(VK::F5)}}, 10);
  EXPECT_TRUE(system->window->fullscreen);
  // Paused at 30 ms; resumed on pass 8 at 80 ms. The toggle swaps the
  // loading screen once (the latest frame's time is still 20).
  EXPECT_EQ(nows, (std::vector<int>{10, 20, 20, 30, 40, 400000 - 50}));
}

TEST_F(MainLoop, VolumeKeysWithSoundOffTouchNoPlayer) {
  Run({{2, Down(VK::F3)}, {4, Down(VK::F4)}}, 6);
  EXPECT_EQ(system->music, nullptr);
  EXPECT_EQ(nows.size(), 6u);
}

TEST(Startup, CancelledDialogCreatesNoWindow) {
  class Quit : public SetupDialog {
   public:
    SetupResult Run(SetupControls&) override { return SetupResult::Quit; }
  } quit;
  RecordingBoxes boxes;
  FakeMachine machine;
  machine.platform.dialog = &quit;
  QuorixSystem* system = new QuorixSystem(machine.platform);
  EXPECT_FALSE(system->Setup());
  EXPECT_TRUE(machine.display.steps.empty());
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(system->window->active);
  delete system;  // active is false: no Destroy
  EXPECT_TRUE(machine.display.steps.empty());
}

// However the demo ends, nothing calls GL once the context is gone: the
// destructor closes the window first, and what it releases after that (timer,
// music, effects, textures) makes no GL call. Ends: Escape, a failed F1
// toggle (no context left at all), a minimised window (no Destroy).
TEST(Shutdown, NoGLCallWithoutAContext) {
  for (int ending = 0; ending < 3; ++ending) {
    SCOPED_TRACE(ending);
    RecordingBoxes boxes;
    FakeMachine machine;
    const int before = GLRecorder::CallsWithoutContext();
    auto system = std::make_unique<QuorixSystem>(machine.platform);
    ASSERT_TRUE(system->Setup());
    if (ending == 1) machine.display.openOk = false;
    machine.display.script = [&](int pass, WindowEvent& event) {
      machine.clock.counter = pass * 10;
      if (pass == 2) {
        event = KeyEvent(WindowEvent::KeyDown, ending == 1 ? VK::F1 : VK::ESCAPE);
        if (ending == 2) {
          event.kind = WindowEvent::Activate;
          event.minimized = true;
        }
        return true;
      }
      event.kind = WindowEvent::Quit;
      return pass >= 5;
    };
    system->Run();
    system.reset();
    EXPECT_EQ(GLRecorder::CallsWithoutContext(), before);
    EXPECT_EQ(machine.display.steps.back(), ending == 2 ? "ShowWindow" : "Unregister");
  }
}
