#pragma once
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandLine.h"
#include "platform/Platform.h"
#include "tests/support/FakeClock.h"
#include "tests/support/GLRecorder.h"

// A display that never shows anything: it records the steps it is asked for
// twice, by name in `steps` and with their arguments in `log` (message boxes
// may log there too, to show their place among the steps), fails the steps
// its flags or `failing` (by their log line) tell it to, and counts swaps.
// The GL calls of each frame stay in the recorder until the next swap; the
// recorder also learns when a context is current.
class FakeDisplay : public Display {
 public:
  FakeDisplay() { GLRecorder::SetContextCurrent(false); }
  ~FakeDisplay() override { GLRecorder::SetContextCurrent(true); }
  FakeDisplay(const FakeDisplay&) = delete;
  FakeDisplay& operator=(const FakeDisplay&) = delete;

  bool Register() override { return Step("Register", "Register", registerOk) && (registered = true); }
  bool Unregister() override {
    const bool was = registered;
    registered = false;
    return Step("Unregister", "Unregister", was);
  }
  bool ChangeMode(int w, int h, int bits) override {
    return Step("ChangeMode", "ChangeMode " + Size(w, h) + "x" + std::to_string(bits), changeModeOk);
  }
  void RestoreMode() override { Step("RestoreMode", "RestoreMode", true); }
  void ShowCursor(bool show) override {
    Step(show ? "ShowCursor" : "HideCursor", show ? "ShowCursor on" : "ShowCursor off", true);
  }
  bool OpenWindow(const char* title, int w, int h, bool fs, int bits) override {
    width = w, height = h, fullscreen = fs;
    return Step("OpenWindow", std::string("OpenWindow ") + title + " " + Size(w, h) +
                                  (fs ? " fullscreen " : " windowed ") + std::to_string(bits), openOk);
  }
  // A desktop of desktopWidth x desktopHeight; none while they are 0.
  bool OpenDesktopWindow(const char* title, int bits, int& w, int& h) override {
    if (desktopWidth <= 0) return Display::OpenDesktopWindow(title, bits, w, h);
    w = desktopWidth, h = desktopHeight;
    return Step("OpenDesktopWindow", std::string("OpenDesktopWindow ") + title + " " + std::to_string(bits), true);
  }
  bool CreateContext() override { return Step("CreateContext", "CreateContext", contextOk); }
  bool MakeCurrent() override {
    const bool ok = Step("MakeCurrent", "MakeCurrent", currentOk);
    GLRecorder::SetContextCurrent(ok);
    return ok;
  }
  bool ShowWindow() override { return Step("ShowWindow", fullscreen ? "ShowWindow fullscreen" : "ShowWindow", true); }
  bool ReleaseCurrent() override {
    GLRecorder::SetContextCurrent(false);
    return Step("ReleaseCurrent", "ReleaseCurrent", true);
  }
  bool DeleteContext() override {
    GLRecorder::SetContextCurrent(false);
    return Step("DeleteContext", "DeleteContext", true);
  }
  bool CloseWindow() override { return Step("CloseWindow", "CloseWindow", true); }
  void Swap() override {
    ++swaps;
    log.push_back("Swap");
    if (onSwap) onSwap();
    GLRecorder::Clear();
  }
  // The script decides, pass by pass, whether an event is waiting.
  bool PollEvent(WindowEvent& event) override {
    ++polls;
    return script ? script(polls, event) : false;
  }

  bool registerOk = true, changeModeOk = true, openOk = true, contextOk = true, currentOk = true;
  std::set<std::string> failing;  // log lines of the steps that fail
  bool registered = false;
  int width = 0, height = 0;
  bool fullscreen = false;
  int desktopWidth = 0, desktopHeight = 0;
  int swaps = 0, polls = 0;
  std::vector<std::string> steps, log;
  std::function<bool(int pass, WindowEvent& event)> script;
  std::function<void()> onSwap;

 private:
  static std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }
  bool Step(const char* name, const std::string& line, bool ok) {
    steps.push_back(name);
    log.push_back(line);
    return ok && failing.count(line) == 0;
  }
};

inline WindowEvent KeyEvent(WindowEvent::Kind kind, int key) {
  WindowEvent e;
  e.kind = kind;
  e.key = key;
  return e;
}

// The set-up choices of a windowed 640 x 480 run at 32 bits without sound.
inline SetupControls WindowedWithoutSound() {
  SetupControls controls;
  controls.res640 = controls.bits32 = controls.noSound = true;
  return controls;
}

// The tests' set-up dialog: it answers with WindowedWithoutSound().
struct WindowedSetup : FixedSetupDialog {
  WindowedSetup() : FixedSetupDialog(WindowedWithoutSound()) {}
};

// What a whole demo runs on in the tests: the fake clock, a display D (the
// fake one here; the pixel tests' real one with a look at its frames) and a
// set-up dialog, built from the constructor's arguments.
template <class D, class Dialog = WindowedSetup>
struct DemoMachine {
  template <class... DialogArgs>
  explicit DemoMachine(DialogArgs&&... args) : dialog(std::forward<DialogArgs>(args)...) {
    platform.clock = &clock;
    platform.display = &display;
    platform.dialog = &dialog;
  }
  DemoMachine(const DemoMachine&) = delete;
  DemoMachine& operator=(const DemoMachine&) = delete;

  FakeClock clock;
  D display;
  Dialog dialog;
  Platform platform;
};

using FakeMachine = DemoMachine<FakeDisplay>;
