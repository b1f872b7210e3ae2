#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "platform/Platform.h"
#include "tests/support/FakeClock.h"
#include "tests/support/GLRecorder.h"

// A display that never shows anything: it records the steps it is asked for,
// answers from a script, and counts swaps. The GL calls of each frame stay in
// the recorder until the next swap; the recorder also learns when a context
// is current.
class FakeDisplay : public Display {
 public:
  FakeDisplay() { GLRecorder::SetContextCurrent(false); }
  ~FakeDisplay() override { GLRecorder::SetContextCurrent(true); }
  FakeDisplay(const FakeDisplay&) = delete;
  FakeDisplay& operator=(const FakeDisplay&) = delete;

  bool Register() override { return Step("Register", registerOk) && (registered = true); }
  bool Unregister() override {
    steps.push_back("Unregister");
    const bool was = registered;
    registered = false;
    return was;
  }
  bool ChangeMode(int, int, int) override { return Step("ChangeMode", changeModeOk); }
  void RestoreMode() override { steps.push_back("RestoreMode"); }
  void ShowCursor(bool show) override { steps.push_back(show ? "ShowCursor" : "HideCursor"); }
  bool OpenWindow(const char*, int w, int h, bool fs, int) override {
    width = w, height = h, fullscreen = fs;
    return Step("OpenWindow", openOk);
  }
  bool CreateContext() override { return Step("CreateContext", contextOk); }
  bool MakeCurrent() override {
    GLRecorder::SetContextCurrent(currentOk);
    return Step("MakeCurrent", currentOk);
  }
  void ShowWindow() override { steps.push_back("ShowWindow"); }
  bool ReleaseCurrent() override {
    GLRecorder::SetContextCurrent(false);
    return Step("ReleaseCurrent", true);
  }
  bool DeleteContext() override {
    GLRecorder::SetContextCurrent(false);
    return Step("DeleteContext", true);
  }
  bool CloseWindow() override { return Step("CloseWindow", true); }
  void Swap() override {
    ++swaps;
    if (onSwap) onSwap();
    GLRecorder::Clear();
  }
  // The script decides, pass by pass, whether an event is waiting.
  bool PollEvent(WindowEvent& event) override {
    ++polls;
    return script ? script(polls, event) : false;
  }

  bool registerOk = true, changeModeOk = true, openOk = true, contextOk = true, currentOk = true;
  bool registered = false;
  int width = 0, height = 0;
  bool fullscreen = false;
  int swaps = 0, polls = 0;
  std::vector<std::string> steps;
  std::function<bool(int pass, WindowEvent& event)> script;
  std::function<void()> onSwap;

 private:
  bool Step(const char* name, bool ok) {
    steps.push_back(name);
    return ok;
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

// What a whole demo runs on in the tests: the fake clock and display, and a
// set-up dialog that answers with WindowedWithoutSound().
struct FakeMachine {
  FakeMachine() {
    platform.clock = &clock;
    platform.display = &display;
    platform.dialog = &dialog;
  }
  FakeMachine(const FakeMachine&) = delete;
  FakeMachine& operator=(const FakeMachine&) = delete;

  FakeClock clock;
  FakeDisplay display;
  FixedSetupDialog dialog{WindowedWithoutSound()};
  Platform platform;
};
