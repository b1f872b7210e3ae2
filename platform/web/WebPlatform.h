#pragma once
#include <deque>

#include "platform/Platform.h"

// The browser behind platform/Platform.h: the page's canvas with a WebGL
// context (html5.h), the page clock, keyboard events as Windows virtual-key
// codes, and message boxes through the page's hook.

class WebMessageBoxes : public MessageBoxes {
 public:
  // A question (the display-mode one) has no meaning in a browser and is not
  // asked: the answer is Yes. Everything else goes to the page.
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
};

// Microseconds of the page's high-resolution clock.
class WebClock : public Clock {
 public:
  std::int64_t Frequency() override { return 1000000; }
  std::int64_t Counter() override;
};

class WebDisplay : public Display {
 public:
  explicit WebDisplay(bool fitWindow);
  ~WebDisplay() override;
  bool Register() override;
  bool Unregister() override;
  bool ChangeMode(int, int, int) override { return true; }  // no display modes: the page goes fullscreen
  void RestoreMode() override {}
  void ShowCursor(bool) override {}
  bool OpenWindow(const char* title, int width, int height, bool fullscreen, int bits) override;
  bool CreateContext() override;
  bool MakeCurrent() override;
  bool ShowWindow() override { return true; }
  bool ReleaseCurrent() override;
  bool DeleteContext() override;
  bool CloseWindow() override { return true; }
  void Swap() override;  // the browser shows the frame when the animation frame returns
  bool PollEvent(WindowEvent& event) override;

  // The size the canvas takes when it fits the window: the largest 4:3 picture.
  static void FitSize(int& width, int& height);

  std::deque<WindowEvent> events;
  bool fitWindow;       // follow the browser window's size
  bool running = false; // a run is going: the demo's keys are kept from the browser

 private:
  int context = 0;
  bool keyWentDown = false;  // the latest event handed out was a key going down
};
