// Fullscreen on the virtual display, which offers one mode (its own size):
// any other size is refused and the question box decides; the display's own
// size really goes fullscreen. Then the F1 toggle of the running demo.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/QuorixSystem.h"
#include "effects/PictureQuad.h"
#include "platform/SdlPlatform.h"
#include "platform/VirtualKeys.h"
#include "services/DemoTimer.h"
#include "services/PngWriter.h"
#include "services/TextureBank.h"
#include "tests/support/BoxedWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/KeptFrames.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/TempFolder.h"
#include "window/GLWindow.h"

namespace {

const char* kQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

// The SDL display with a look at its window and at the state it leaves
// behind when the video system goes down.
class WatchedDisplay : public SdlDisplay {
 public:
  SDL_Window* Window() const { return window; }
  bool Unregister() override {
    if (registered) {
      cursorAtUnregister = SDL_ShowCursor(SDL_QUERY);
      SDL_DisplayMode current{}, desktop{};
      SDL_GetCurrentDisplayMode(0, &current);
      SDL_GetDesktopDisplayMode(0, &desktop);
      desktopModeAtUnregister = current.w == desktop.w && current.h == desktop.h;
      windowAtUnregister = window != nullptr;
    }
    return SdlDisplay::Unregister();
  }
  int cursorAtUnregister = -1;
  bool desktopModeAtUnregister = false;
  bool windowAtUnregister = true;
};

// Whether the display offers a mode of this size (the refusal tests need it not to).
bool Offers(int width, int height) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  bool found = false;
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode mode{};
    SDL_GetDisplayMode(0, i, &mode);
    found = found || (mode.w == width && mode.h == height);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return found;
}

SDL_DisplayMode DesktopMode() {
  SDL_DisplayMode desktop{};
  SDL_InitSubSystem(SDL_INIT_VIDEO);
  SDL_GetDesktopDisplayMode(0, &desktop);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return desktop;
}

bool IsFullscreen(SDL_Window* window) { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; }

// A window on the SDL display, set to a size, a mode and a depth.
using SdlWindow = BoxedWindow<WatchedDisplay>;

// The question of a refused mode.
void ExpectTheQuestion(const RecordingBoxes::Box& box) {
  EXPECT_EQ(box.text, kQuestion);
  EXPECT_EQ(box.caption, "Tarvo GL");
  EXPECT_EQ(box.style, MB::YESNO | MB::ICONEXCLAMATION);
}

// Creates the window with the question answered Yes: that one box, and a
// window that is not fullscreen.
void ExpectWindowedAfterYes(SdlWindow& boxed) {
  boxed.boxes.answers = {MB::IDYES};
  ASSERT_TRUE(boxed.window.Create());
  ASSERT_EQ(boxed.boxes.boxes.size(), 1u);
  ExpectTheQuestion(boxed.boxes.boxes[0]);
  EXPECT_FALSE(boxed.window.fullscreen);
  ASSERT_NE(boxed.display.Window(), nullptr);
  EXPECT_FALSE(IsFullscreen(boxed.display.Window()));
}

}  // namespace

TEST(GLWindowFullscreen, RefusedModeAnsweredYesPlaysWindowedAtTheSameSize) {
  if (Offers(800, 600)) GTEST_SKIP() << "this display offers 800 x 600; the refusal cannot happen";
  SdlWindow boxed(800, 600, true, 16);
  auto& [boxes, display, window] = boxed;
  ASSERT_NO_FATAL_FAILURE(ExpectWindowedAfterYes(boxed));
  int w = 0, h = 0;
  SDL_GetWindowSize(display.Window(), &w, &h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  window.Destroy();
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST(GLWindowFullscreen, RefusedModeAnsweredNoEndsWithoutAWindow) {
  if (Offers(1024, 768)) GTEST_SKIP() << "this display offers 1024 x 768; the refusal cannot happen";
  SdlWindow boxed(1024, 768, true);
  auto& [boxes, display, window] = boxed;
  boxes.answers = {MB::IDNO};
  EXPECT_FALSE(window.Create());
  ASSERT_EQ(boxes.boxes.size(), 2u);
  ExpectTheQuestion(boxes.boxes[0]);
  EXPECT_EQ(boxes.boxes[1].text, "Program Will Now Close.");
  EXPECT_EQ(boxes.boxes[1].caption, "ERROR");
  EXPECT_EQ(boxes.boxes[1].style, MB::ICONSTOP);
  EXPECT_EQ(display.Window(), nullptr);
  EXPECT_EQ(SDL_GetKeyboardFocus(), nullptr);
  // The video system stays up, as the window class stays registered.
  EXPECT_TRUE(display.Unregister());
}

TEST(GLWindowFullscreen, TheDisplaysOwnSizeGoesFullscreenAndDestroyPutsTheDesktopBack) {
  const SDL_DisplayMode desktop = DesktopMode();
  ASSERT_GT(desktop.w, 0);
  SdlWindow boxed(desktop.w, desktop.h, true);
  auto& [boxes, display, window] = boxed;
  ASSERT_TRUE(window.Create());
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(window.fullscreen);
  EXPECT_TRUE(IsFullscreen(display.Window()));
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  window.Destroy();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(display.cursorAtUnregister, SDL_ENABLE);
  EXPECT_TRUE(display.desktopModeAtUnregister);
  EXPECT_FALSE(display.windowAtUnregister);
}

// The display's own size at a colour depth it does not offer (this display
// runs at 24 bits) is refused like a size it lacks.
TEST(GLWindowFullscreen, ADepthTheDisplayLacksIsRefusedAndAskedAbout) {
  const SDL_DisplayMode desktop = DesktopMode();
  if (SDL_BITSPERPIXEL(desktop.format) <= 16) GTEST_SKIP() << "this display runs at 16 bits";
  SdlWindow boxed(desktop.w, desktop.h, true, 16);
  ExpectWindowedAfterYes(boxed);
  boxed.window.Destroy();
}

// One F1 press gives one key-down, however the key repeats.
TEST(GLWindowFullscreen, AutoRepeatedF1IsDroppedAndOtherKeysRepeat) {
  SdlWindow boxed(640, 480, false);  // GLWindow's own size and depth
  WatchedDisplay& display = boxed.display;
  GLWindow& window = boxed.window;
  ASSERT_TRUE(window.Create());
  WindowEvent drain;
  while (display.PollEvent(drain)) {
  }
  auto push = [&](SDL_Keycode key, bool down, bool repeat) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(display.Window());
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&e);
  };
  push(SDLK_F1, true, false);
  push(SDLK_F1, true, true);   // auto-repeat
  push(SDLK_F1, true, false);  // the same press again, unflagged
  push(SDLK_F3, true, false);
  push(SDLK_F3, true, true);   // volume keys keep repeating
  push(SDLK_F1, false, false);
  push(SDLK_F1, true, false);  // a new press
  std::vector<std::string> got;
  WindowEvent event;
  while (display.PollEvent(event)) {
    if (event.kind == WindowEvent::KeyDown) got.push_back("down " + std::to_string(event.key));
    if (event.kind == WindowEvent::KeyUp) got.push_back("up " + std::to_string(event.key));
  }
  const std::string f1 = std::to_string(VK::F1), f3 = std::to_string(VK::F3);
  EXPECT_EQ(got, (std::vector<std::string>{"down " + f1, "down " + f3, "down " + f3, "up " + f1, "down " + f1}));
  window.Destroy();
}

namespace {

bool WriteSolidPng(const std::string& path, int size, unsigned char r, unsigned char g, unsigned char b) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < size * size; ++i) pixels.insert(pixels.end(), {r, g, b});
  return PngWriter::Write(path, PngWriter::Rgb(size, size, pixels));
}

// Start with a window of a given size and mode, without sound.
SetupControls Sized(int width, int height, bool fullscreen, bool desktop = false) {
  SetupControls controls;
  controls.noSound = controls.bits32 = true;
  controls.fullscreen = fullscreen, controls.desktop = desktop;
  controls.width = width, controls.height = height;
  return controls;
}

// Plays the demo's main loop a script of key events; a step may instead look
// at the screen (on a pass without a message, as when the loop reads keys).
// It keeps the frames only when asked to.
class ScriptedDisplay : public KeptFrames<WatchedDisplay> {
 public:
  ScriptedDisplay() { keep = false; }
  struct Step {
    WindowEvent event;
    std::function<void()> look;
  };
  std::vector<Step> script;
  std::size_t next = 0;
  int after = 0;  // calls after the end of the script

  bool PollEvent(WindowEvent& event) override {
    WindowEvent ignored;
    while (SdlDisplay::PollEvent(ignored)) {
    }
    if (next >= script.size()) {  // the script ends with Escape; a loop that goes on is told to quit
      event = WindowEvent{};
      event.kind = ++after == 1 ? WindowEvent::KeyDown : after > 1000 ? WindowEvent::Quit : WindowEvent::Other;
      event.key = VK::ESCAPE;
      return event.kind != WindowEvent::Other;
    }
    Step& step = script[next++];
    if (step.look) {
      step.look();
      return false;
    }
    if (step.event.kind == WindowEvent::Other) return false;
    event = step.event;
    return true;
  }

  void Key(int key, bool down) {
    Step step;
    step.event.kind = down ? WindowEvent::KeyDown : WindowEvent::KeyUp;
    step.event.key = key;
    script.push_back(step);
  }
  void Idle() { script.push_back(Step{}); }
  void Look(std::function<void()> look) { script.push_back(Step{WindowEvent{}, std::move(look)}); }
  void Press(int key) {
    Key(key, true);
    Idle();  // the toggle happens on a pass without a message
    Key(key, false);
  }
};

// The demo on the SDL display with the fake clock, started with these controls.
using ScriptedMachine = DemoMachine<ScriptedDisplay, FixedSetupDialog>;

struct Pixel {
  int r, g, b;
};

// Draws a textured square over the middle of the screen and reads it back.
Pixel DrawTextured(TextureEntry* texture, int width, int height) {
  glViewport(0, 0, width, height);
  PushIdentityMatrices();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  texture->Bind();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawPictureQuad(0.5f, 0.5f);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  PopMatrices();
  unsigned char p[4] = {};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}

}  // namespace

TEST(GLWindowFullscreen, F1TwiceComesBackToTheSameModeWithTexturesClockAndStateKept) {
  const SDL_DisplayMode desktop = DesktopMode();
  ASSERT_GT(desktop.w, 0);
  // A data folder of one picture: the other files are missing, which the demo reports and survives.
  TempFolder dir(true);  // the demo runs inside it
  ASSERT_FALSE(dir.path.empty());
  const std::string data = dir / "data";
  ASSERT_EQ(mkdir(data.c_str(), 0755), 0);
  ASSERT_TRUE(WriteSolidPng(data + "/sand.png", 16, 200, 40, 90));
  ASSERT_TRUE(WriteSolidPng(data + "/load.png", 16, 0, 0, 0));  // the loading screen, shown again at each toggle

  RecordingBoxes boxes;
  ScriptedMachine machine(Sized(desktop.w, desktop.h, true));
  FakeClock& clock = machine.clock;
  ScriptedDisplay& display = machine.display;
  auto system = std::make_unique<QuorixSystem>(machine.platform);

  struct Look {
    Pixel pixel{-1, -1, -1};
    bool fullscreen = false, sdlFullscreen = false;
    int cursor = -1;
    int now = -1;  // demo time of the frames before
    int width = 0, height = 0;
  };
  Look looks[3];
  TextureEntry* sand = nullptr;
  auto look = [&](Look& l, std::int64_t counter) {
    l.now = system->now;
    clock.counter = counter;  // the demo time of the frames after
    l.fullscreen = system->window->fullscreen;
    l.sdlFullscreen = IsFullscreen(display.Window());
    l.cursor = SDL_ShowCursor(SDL_QUERY);
    SDL_GL_GetDrawableSize(display.Window(), &l.width, &l.height);
    l.pixel = DrawTextured(sand, l.width, l.height);
  };
  display.Look([&] {
    sand = system->textures->entries[Slot::sand];
    sand->Load();
    look(looks[0], 1000);
  });
  display.Press(VK::F1);
  display.Look([&] { look(looks[1], 2000); });
  display.Press(VK::F8);  // paused across the second toggle
  display.Look([&] { clock.counter = 3000; });
  display.Press(VK::F1);
  display.Look([&] { look(looks[2], 3000); });

  ASSERT_TRUE(system->Setup());
  const std::size_t boxesAfterSetup = boxes.boxes.size();
  system->Run();
  ASSERT_EQ(display.next, display.script.size()) << "the loop ended early";
  EXPECT_EQ(boxes.boxes.size(), boxesAfterSetup);  // no question: both modes were granted

  EXPECT_TRUE(looks[0].fullscreen && looks[0].sdlFullscreen);
  EXPECT_EQ(looks[0].cursor, SDL_DISABLE);
  EXPECT_FALSE(looks[1].fullscreen || looks[1].sdlFullscreen);
  EXPECT_EQ(looks[1].cursor, SDL_ENABLE);
  EXPECT_TRUE(looks[2].fullscreen && looks[2].sdlFullscreen);
  EXPECT_EQ(looks[2].cursor, SDL_DISABLE);
  for (const Look& l : looks) {
    EXPECT_EQ(l.width, desktop.w);
    EXPECT_EQ(l.height, desktop.h);
    // The picture is still there in every new context.
    EXPECT_NEAR(l.pixel.r, 200, 2);
    EXPECT_NEAR(l.pixel.g, 40, 2);
    EXPECT_NEAR(l.pixel.b, 90, 2);
  }
  // The clock went on through the first toggle (not started again) and stayed
  // paused through the second (no frame took a new time).
  EXPECT_EQ(looks[1].now, 1000);
  EXPECT_EQ(looks[2].now, 2000);
  EXPECT_TRUE(system->paused);

  system.reset();  // the destructor takes the window down
  EXPECT_EQ(display.cursorAtUnregister, SDL_ENABLE);
  EXPECT_TRUE(display.desktopModeAtUnregister);
}

// Desktop fullscreen: no mode change and no question, the desktop's own size;
// the picture is its largest centred 4:3 part, pixel for pixel the frame of a
// window of that 4:3 size at the same demo time, with black around it; and
// so it stays across F1 to that window and back.
QuorixSystem* desktopTestSystem = nullptr;

TEST(GLWindowFullscreen, DesktopFullscreenShowsTheFourToThreeFrameWithBlackAround) {
  const SDL_DisplayMode desktop = DesktopMode();
  ASSERT_GT(desktop.w, 0);
  const GLWindow::Area area = GLWindow::PictureArea(desktop.w, desktop.h);  // 1920 x 1080: 240, 0, 1440 x 1080
  WorkingFolder dataParent;
  ASSERT_TRUE(dataParent.Enter(std::string(LUMIVANE_DATA_DIR) + "/.."));

  RecordingBoxes boxes;
  ScriptedMachine machine(Sized(area.width, area.height, true, true));
  FakeClock& clock = machine.clock;
  ScriptedDisplay& display = machine.display;
  display.keep = true;
  QuorixSystem* system = desktopTestSystem = new QuorixSystem(machine.platform);

  struct Look {
    std::vector<unsigned char> frame;
    int width = 0, height = 0;
    bool sdlFullscreen = false;
  };
  Look looks[3];
  auto look = [&](Look& l) {
    l.frame = display.frame;
    l.width = display.width;
    l.height = display.height;
    l.sdlFullscreen = IsFullscreen(display.Window());
  };
  // Every frame at 130.5 s, in the photo cylinder, which has no per-frame state.
  display.Look([&] { clock.counter = 130500; });
  display.Idle();
  display.Look([&] { look(looks[0]); });
  display.Press(VK::F1);
  display.Look([&] { look(looks[1]); });
  display.Press(VK::F1);
  display.Look([&] { look(looks[2]); });

  ASSERT_TRUE(system->Setup());
  EXPECT_TRUE(boxes.boxes.empty());  // no question, and the real data is all there
  system->Run();
  ASSERT_EQ(display.next, display.script.size()) << "the loop ended early";
  EXPECT_TRUE(boxes.boxes.empty());

  EXPECT_TRUE(looks[0].sdlFullscreen && looks[2].sdlFullscreen);
  EXPECT_FALSE(looks[1].sdlFullscreen);
  ASSERT_EQ(looks[0].width, desktop.w);
  ASSERT_EQ(looks[0].height, desktop.h);
  ASSERT_EQ(looks[1].width, area.width);
  ASSERT_EQ(looks[1].height, area.height);
  const Look& full = looks[0];
  const Look& window = looks[1];
  int litOutside = 0, differingInside = 0;
  for (int y = 0; y < full.height; ++y) {
    for (int x = 0; x < full.width; ++x) {
      const unsigned char* p = &full.frame[(static_cast<std::size_t>(y) * full.width + x) * 4];
      const int wx = x - area.x, wy = y - area.y;
      if (wx < 0 || wy < 0 || wx >= area.width || wy >= area.height) {
        litOutside += p[0] + p[1] + p[2] > 0;
        continue;
      }
      const unsigned char* q = &window.frame[(static_cast<std::size_t>(wy) * window.width + wx) * 4];
      differingInside += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
    }
  }
  EXPECT_EQ(litOutside, 0);
  EXPECT_EQ(differingInside, 0);
  EXPECT_TRUE(looks[2].frame == looks[0].frame) << "the second desktop frame differs from the first";

  system->window->Destroy();
  EXPECT_TRUE(display.desktopModeAtUnregister);
}
