#pragma once
#include "tests/support/RecordingBoxes.h"
#include "window/GLWindow.h"

// A GLWindow on a display D (the fake one, or SDL's on the virtual screen)
// with its message boxes recorded, set to a size, a mode and a depth for the
// test to create it. The boxes are made first and go last.
template <class D>
struct BoxedWindow {
  BoxedWindow(int width, int height, bool fullscreen, int bits = 32) {
    window.width = width;
    window.height = height;
    window.fullscreen = fullscreen;
    window.bits = bits;
  }
  BoxedWindow(const BoxedWindow&) = delete;
  BoxedWindow& operator=(const BoxedWindow&) = delete;

  RecordingBoxes boxes;
  D display;
  GLWindow window{&display, nullptr};
};
