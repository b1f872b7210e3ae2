#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "tests/support/BoxedWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/GLRecorder.h"
#include "window/GLWindow.h"

namespace {

const char* kQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

using Log = std::vector<std::string>;

// The shared fake display at 800 x 600 x 16 on a 1920 x 1080 desktop; boxes
// go into the display's log too, so that their place among the steps shows.
struct GLWindowTest : ::testing::Test, BoxedWindow<FakeDisplay> {
  GLWindowTest() : BoxedWindow(800, 600, false, 16) {
    boxes.log = &display.log;
    display.desktopWidth = 1920, display.desktopHeight = 1080;
  }
  void SetUp() override { GLRecorder::Clear(); }

  // A fullscreen Create with the display failing at the step of this log line
  // and the first box answered `answer`.
  bool CreateFullscreenFailingAt(const std::string& line, int answer = MB::IDOK) {
    window.fullscreen = true;
    display.failing = {line};
    boxes.answers = {answer};
    return window.Create();
  }

  const std::string open800 = "OpenWindow Vantel Quorix - Lumivane 800x600";
  const std::string question = std::string("box Tarvo GL: ") + kQuestion;
  const Log windowed800 = {"Register", open800 + " windowed 16", "CreateContext", "MakeCurrent", "ShowWindow"};
};

TEST_F(GLWindowTest, WindowedCreateRunsTheStepsInOrderAndSetsUpGL) {
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(display.log, windowed800);
  EXPECT_TRUE(boxes.boxes.empty());
  // Resize and SetupGL ran in the new context.
  ASSERT_EQ(GLRecorder::Named("glViewport").size(), 1u);
  EXPECT_EQ(GLRecorder::Named("glViewport")[0].args, (std::vector<double>{0, 0, 800, 600}));
  EXPECT_EQ(GLRecorder::Count("gluPerspective"), 1);
  EXPECT_EQ(GLRecorder::Count("glDepthFunc"), 1);
  EXPECT_LT(GLRecorder::Find("gluPerspective"), GLRecorder::Find("glShadeModel"));
}

TEST_F(GLWindowTest, FullscreenCreateChangesTheModeAndHidesTheCursorBeforeTheWindow) {
  window.fullscreen = true;
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(display.log, (Log{"Register", "ChangeMode 800x600x16", "ShowCursor off", open800 + " fullscreen 16",
                              "CreateContext", "MakeCurrent", "ShowWindow fullscreen"}));
  EXPECT_TRUE(window.fullscreen);
}

// The display refuses the mode only when the window comes up: the desktop is
// put back first, then the same question as for a refused mode.
TEST_F(GLWindowTest, ModeFailingAtShowAsksAndYesPlaysWindowed) {
  ASSERT_TRUE(CreateFullscreenFailingAt("ShowWindow fullscreen", MB::IDYES));
  EXPECT_FALSE(window.fullscreen);
  Log expected = {"Register",      "ChangeMode 800x600x16", "ShowCursor off", open800 + " fullscreen 16",
                  "CreateContext", "MakeCurrent",           "ShowWindow fullscreen", "RestoreMode",
                  "ShowCursor on", "ReleaseCurrent",        "DeleteContext",  "CloseWindow",
                  "Unregister",    question};
  expected.insert(expected.end(), windowed800.begin(), windowed800.end());
  EXPECT_EQ(display.log, expected);
  EXPECT_EQ(boxes.boxes[0].style, 0x34u);
}

TEST_F(GLWindowTest, ModeFailingAtShowAnsweredNoCloses) {
  EXPECT_FALSE(CreateFullscreenFailingAt("ShowWindow fullscreen", MB::IDNO));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "Program Will Now Close.");
  EXPECT_EQ(display.log.back(), "box ERROR: Program Will Now Close.");
  EXPECT_FALSE(display.registered);  // nothing is left open
}

TEST_F(GLWindowTest, RefusedModeAnsweredYesRunsWindowedAtTheSameSize) {
  ASSERT_TRUE(CreateFullscreenFailingAt("ChangeMode 800x600x16", MB::IDYES));
  EXPECT_FALSE(window.fullscreen);
  Log expected = {"Register", "ChangeMode 800x600x16", question};
  expected.insert(expected.end(), windowed800.begin() + 1, windowed800.end());
  EXPECT_EQ(display.log, expected);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].style, 0x34u);  // Yes/No with the exclamation icon
}

TEST_F(GLWindowTest, RefusedModeAnsweredNoEndsWithoutWindowAndKeepsTheClass) {
  EXPECT_FALSE(CreateFullscreenFailingAt("ChangeMode 800x600x16", MB::IDNO));
  EXPECT_EQ(display.log,
            (Log{"Register", "ChangeMode 800x600x16", question, "box ERROR: Program Will Now Close."}));
  EXPECT_EQ(boxes.boxes[1].style, 0x10u);  // stop icon
  EXPECT_TRUE(display.registered);         // no Destroy ran
  EXPECT_TRUE(window.fullscreen);
}

TEST_F(GLWindowTest, FailedRegistrationIsReportedWithoutDestroy) {
  EXPECT_FALSE(CreateFullscreenFailingAt("Register"));
  EXPECT_EQ(display.log, (Log{"Register", "box ERROR: Failed To Register The Window Class."}));
  EXPECT_EQ(boxes.boxes[0].style, 0x30u);
}

// Each later step: Destroy first (the mode back, the cursor shown), then the box.
TEST_F(GLWindowTest, LaterFailuresDestroyFirstThenReport) {
  struct Case {
    std::string step;  // the failing step's log line
    std::string text;
    Log teardown;
  };
  const std::vector<Case> cases = {
      {"OpenWindow Vantel Quorix - Lumivane 640x480 fullscreen 32",
       "Window Creation Error.",
       {"RestoreMode", "ShowCursor on", "Unregister"}},
      {"CreateContext",
       "Can't Create A GL Rendering Context.",
       {"RestoreMode", "ShowCursor on", "CloseWindow", "Unregister"}},
      {"MakeCurrent",
       "Can't Activate The GL Rendering Context.",
       {"RestoreMode", "ShowCursor on", "ReleaseCurrent", "DeleteContext", "CloseWindow", "Unregister"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    BoxedWindow<FakeDisplay> w(640, 480, true);  // GLWindow's own defaults
    w.boxes.log = &w.display.log;
    w.display.failing = {c.step};
    EXPECT_FALSE(w.window.Create());
    const auto failedAt = std::find(w.display.log.begin(), w.display.log.end(), c.step);
    ASSERT_NE(failedAt, w.display.log.end());
    Log expected = c.teardown;
    expected.push_back("box ERROR: " + c.text);
    EXPECT_EQ(Log(failedAt + 1, w.display.log.end()), expected);
    EXPECT_EQ(w.boxes.boxes.back().style, 0x30u);
    EXPECT_FALSE(w.display.registered);
    // Back in the destroyed state: a second Destroy only finds the class gone.
    w.display.log.clear();
    w.window.Destroy();
    EXPECT_EQ(w.display.log, (Log{"RestoreMode", "ShowCursor on", "Unregister",
                                  "box SHUTDOWN ERROR: Could Not Unregister Class."}));
  }
}

TEST_F(GLWindowTest, DestroyReportsEachFailedStepAndGoesOn) {
  ASSERT_TRUE(window.Create());
  display.log.clear();
  display.failing = {"ReleaseCurrent", "DeleteContext", "CloseWindow", "Unregister"};
  window.Destroy();
  EXPECT_EQ(display.log, (Log{"ReleaseCurrent", "box SHUTDOWN ERROR: Release Of DC And RC Failed.", "DeleteContext",
                              "box SHUTDOWN ERROR: Release Rendering Context Failed.", "CloseWindow",
                              "box SHUTDOWN ERROR: Could Not Release hWnd.", "Unregister",
                              "box SHUTDOWN ERROR: Could Not Unregister Class."}));
  for (const auto& box : boxes.boxes) EXPECT_EQ(box.style, 0x40u);
}

TEST_F(GLWindowTest, FullscreenDestroyRestoresTheModeFirstAndASecondDestroyFindsNoClass) {
  window.fullscreen = true;
  ASSERT_TRUE(window.Create());
  display.log.clear();
  window.Destroy();
  EXPECT_EQ(display.log, (Log{"RestoreMode", "ShowCursor on", "ReleaseCurrent", "DeleteContext", "CloseWindow",
                              "Unregister"}));
  EXPECT_TRUE(boxes.boxes.empty());
  display.log.clear();
  window.fullscreen = false;
  window.Destroy();
  EXPECT_EQ(display.log, (Log{"Unregister", "box SHUTDOWN ERROR: Could Not Unregister Class."}));
}

// The F1 toggle's sequence: Destroy, flip, Create again at the same size and depth.
TEST_F(GLWindowTest, CreateAgainAfterDestroyWithTheOtherMode) {
  window.fullscreen = true;
  ASSERT_TRUE(window.Create());
  auto toggle = [&] {
    window.Destroy();
    window.fullscreen = !window.fullscreen;
    display.log.clear();
    return window.Create();
  };
  ASSERT_TRUE(toggle());
  EXPECT_EQ(display.log, windowed800);
  ASSERT_TRUE(toggle());
  EXPECT_EQ(display.log[1], "ChangeMode 800x600x16");
  EXPECT_EQ(display.log[2], "ShowCursor off");
  EXPECT_TRUE(boxes.boxes.empty());
}

// Desktop fullscreen: no mode change and no question; the client area is the
// desktop's, and the picture its largest centred 4:3 part. F1's window has --size.
TEST_F(GLWindowTest, DesktopFullscreenOpensWithoutAModeChangeAtTheDesktopsSize) {
  window.fullscreen = true;
  window.desktop = true;
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(display.log, (Log{"Register", "ShowCursor off", "OpenDesktopWindow Vantel Quorix - Lumivane 16",
                              "CreateContext", "MakeCurrent", "ShowWindow"}));
  EXPECT_EQ(window.clientWidth, 1920);
  EXPECT_EQ(window.clientHeight, 1080);
  ASSERT_EQ(GLRecorder::Named("glViewport").size(), 1u);
  EXPECT_EQ(GLRecorder::Named("glViewport")[0].args, (std::vector<double>{0, 0, 1440, 1080}));
  window.Destroy();
  window.fullscreen = false;
  display.log.clear();
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(display.log[1], open800 + " windowed 16");
  EXPECT_EQ(window.clientWidth, 800);
  EXPECT_TRUE(boxes.boxes.empty());
}

// The rounding rule of the 4:3 area: the limiting side whole, the other
// rounded to the nearest pixel, centred with an odd pixel to the right / top.
TEST(GLWindowPictureArea, LargestCentredFourToThree) {
  struct Case {
    int w, h, x, y, aw, ah;
  };
  for (const Case& c : std::vector<Case>{{640, 480, 0, 0, 640, 480},
                                         {2048, 1536, 0, 0, 2048, 1536},
                                         {1280, 720, 160, 0, 960, 720},
                                         {1920, 1080, 240, 0, 1440, 1080},
                                         {800, 640, 0, 20, 800, 600},
                                         {641, 480, 0, 0, 640, 480},
                                         {640, 481, 0, 0, 640, 480},
                                         {333, 250, 0, 0, 333, 250},
                                         {322, 300, 0, 29, 322, 242},
                                         {0, 1, 0, 0, 1, 1}}) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const GLWindow::Area a = GLWindow::PictureArea(c.w, c.h);
    EXPECT_EQ(std::vector<int>({a.x, a.y, a.width, a.height}), std::vector<int>({c.x, c.y, c.aw, c.ah}));
  }
}

// A window that is not 4:3 draws its picture in the top left corner through
// a scissor box as large as the picture; back at 4:3 the scissor goes and the
// calls are a plain window's.
TEST(GLWindowResize, OtherAspectsScissorTheFourToThreePicture) {
  GLRecorder::Clear();
  GLWindow::Resize(800, 640);
  EXPECT_EQ(GLRecorder::Named("glViewport")[0].args, (std::vector<double>{0, 40, 800, 600}));
  GLRecorder::Clear();
  GLWindow::Resize(1280, 720);
  EXPECT_EQ(GLRecorder::Named("glViewport")[0].args, (std::vector<double>{0, 0, 960, 720}));
  EXPECT_EQ(GLRecorder::Named("glScissor")[0].args, (std::vector<double>{0, 0, 960, 720}));
  EXPECT_EQ(GLRecorder::Named("gluPerspective")[0].args[1], 960.0 / 720.0);
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  GLWindow::Resize(1024, 768);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_EQ(GLRecorder::Count("glScissor"), 1);
  GLWindow::Resize(1024, 768);
  EXPECT_EQ(GLRecorder::Count("glDisable"), 1);
}

}  // namespace
