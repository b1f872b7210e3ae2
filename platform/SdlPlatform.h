#pragma once
#include <SDL.h>

#include "platform/Platform.h"

// Message boxes through SDL; when `toStderr` is set (no one can click, e.g. a
// virtual display) the text goes to standard error and questions get "Yes".
class SdlMessageBoxes : public MessageBoxes {
 public:
  explicit SdlMessageBoxes(bool toStderr) : toStderr(toStderr) {}
  int Show(const std::string& text, const std::string& caption, unsigned style) override;

 private:
  bool toStderr;
};

// Message boxes printed to standard error only.
class StderrMessageBoxes : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
};

class SdlClock : public Clock {
 public:
  std::int64_t Frequency() override;
  std::int64_t Counter() override;
};

// One SDL window with a legacy (fixed-function) OpenGL context.
class SdlDisplay : public Display {
 public:
  bool Register() override;
  bool Unregister() override;
  bool ChangeMode(int width, int height, int bits) override;
  void RestoreMode() override;
  void ShowCursor(bool show) override;
  bool OpenWindow(const char* title, int width, int height, bool fullscreen, int bits) override;
  bool OpenDesktopWindow(const char* title, int bits, int& width, int& height) override;
  bool CreateContext() override;
  bool MakeCurrent() override;
  bool ShowWindow() override;
  bool ReleaseCurrent() override;
  bool DeleteContext() override;
  bool CloseWindow() override;
  void Swap() override;
  bool PollEvent(WindowEvent& event) override;
  void* GLFunction(const char* name) override;

  // Translates an SDL key to its Windows virtual-key code; 0 when it has none.
  static int VirtualKey(SDL_Keycode key);

  // Whether an F1 key event is passed on: one key-down per press (see there).
  bool TakeF1(bool down, bool repeat);

  int multisamples = 0;  // samples per pixel asked of the next window's pixel format; 0: none

 protected:
  // Creates the hidden GL window; `kind` is fullscreen, desktop fullscreen or resizable.
  bool Open(const char* title, int width, int height, Uint32 kind, int bits);

  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  SDL_DisplayMode mode{};  // the fullscreen mode chosen by ChangeMode
  bool videoUp = false;     // SDL's video system is initialised
  bool registered = false;  // between Register and Unregister
  bool modeChanged = false;
  bool f1Held = false;    // an F1 key-down was passed on and its key-up not yet seen
  bool f1Unsure = false;  // ... and the window changed since: ask the keyboard
};
