#include <gtest/gtest.h>

#include "window/GLWindow.h"
#include "window/SetupChoices.h"

namespace {

struct Settings {
  int width, height, bits;
  bool fullscreen, sound;
  bool operator==(const Settings& o) const {
    return width == o.width && height == o.height && bits == o.bits && fullscreen == o.fullscreen &&
           sound == o.sound;
  }
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
  return out << s.width << "x" << s.height << "x" << s.bits << (s.fullscreen ? " fullscreen" : " windowed")
             << (s.sound ? " sound" : " silent");
}

// Settings that no control produces, so that every member written shows.
GLWindow Untouched() {
  GLWindow window(nullptr, nullptr);
  window.width = 1;
  window.height = 2;
  window.bits = 3;
  window.fullscreen = false;
  window.sound = false;
  return window;
}

Settings Applied(const SetupControls& controls) {
  GLWindow window = Untouched();
  ApplySetupControls(controls, window);
  return {window.width, window.height, window.bits, window.fullscreen, window.sound};
}

// A dialog that checks what it was started with and answers as told.
class ScriptedDialog : public SetupDialog {
 public:
  ScriptedDialog(SetupResult result, SetupControls answer) : result(result), answer(answer) {}
  SetupResult Run(SetupControls& controls) override {
    started = controls;
    ++runs;
    if (result == SetupResult::Start) controls = answer;
    return result;
  }
  SetupResult result;
  SetupControls answer;
  SetupControls started;
  int runs = 0;
};

}  // namespace

TEST(SetupChoices, InitialChoicesAreFullscreen800x600At32BitWithSound) {
  EXPECT_EQ(Applied(InitialSetupControls()), (Settings{800, 600, 32, true, true}));
  const SetupControls c = InitialSetupControls();
  EXPECT_FALSE(c.res640 || c.res1024 || c.bits16 || c.noSound);
}

TEST(SetupChoices, EachControlWritesItsMember) {
  SetupControls c = InitialSetupControls();
  c.res800 = false;
  c.res640 = true;
  EXPECT_EQ(Applied(c), (Settings{640, 480, 32, true, true}));
  c.res640 = false;
  c.res1024 = true;
  EXPECT_EQ(Applied(c), (Settings{1024, 768, 32, true, true}));
  c.bits32 = false;
  c.bits16 = true;
  EXPECT_EQ(Applied(c), (Settings{1024, 768, 16, true, true}));
  c.noSound = true;
  EXPECT_EQ(Applied(c), (Settings{1024, 768, 16, true, false}));
  c.fullscreen = false;
  EXPECT_EQ(Applied(c), (Settings{1024, 768, 16, false, false}));
}

TEST(SetupDialog, StartWritesTheChoicesAndSetsActive) {
  SetupControls answer = InitialSetupControls();
  answer.res800 = false;
  answer.res640 = true;
  answer.noSound = true;
  ScriptedDialog dialog(SetupResult::Start, answer);
  GLWindow window(nullptr, &dialog);
  window.fullscreen = false;  // the dialog starts from its own choices, not from these
  window.width = 1024;
  EXPECT_TRUE(window.ShowSetupDialog());
  EXPECT_TRUE(window.active);
  EXPECT_EQ(dialog.runs, 1);
  EXPECT_TRUE(dialog.started.fullscreen && dialog.started.res800 && dialog.started.bits32);
  EXPECT_FALSE(dialog.started.noSound || dialog.started.res1024);
  EXPECT_EQ((Settings{window.width, window.height, window.bits, window.fullscreen, window.sound}),
            (Settings{640, 480, 32, true, false}));
}

TEST(SetupDialog, QuitOrFailureWritesNothing) {
  for (SetupResult result : {SetupResult::Quit, SetupResult::Failed}) {
    SCOPED_TRACE(static_cast<int>(result));
    SetupControls answer = InitialSetupControls();
    answer.noSound = true;
    ScriptedDialog dialog(result, answer);
    GLWindow asked(nullptr, &dialog);
    asked.width = 1;
    asked.height = 2;
    asked.bits = 3;
    asked.fullscreen = false;
    asked.sound = true;
    asked.active = true;
    EXPECT_FALSE(asked.ShowSetupDialog());
    EXPECT_FALSE(asked.active);
    EXPECT_EQ((Settings{asked.width, asked.height, asked.bits, asked.fullscreen, asked.sound}),
              (Settings{1, 2, 3, false, true}));
  }
}

TEST(SetupDialog, NoDialogAtAllCountsAsCancelled) {
  GLWindow window(nullptr, nullptr);
  EXPECT_FALSE(window.ShowSetupDialog());
  EXPECT_FALSE(window.active);
}
