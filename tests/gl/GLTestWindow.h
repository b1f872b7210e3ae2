#pragma once
#include <GL/gl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/SdlPlatform.h"
#include "window/GLWindow.h"

// A real window with a legacy GL context on the (virtual) display, for pixel
// tests. The working directory is the parent of the data folder, so the
// demo's relative paths ("data/...") resolve as in the program.
class GLTestWindow {
 public:
  GLTestWindow(int width, int height) : window(&display, nullptr) {
    const std::string data = LUMIVANE_DATA_DIR;
    dataFound = chdir((data + "/..").c_str()) == 0 && access("data", F_OK) == 0;
    window.fullscreen = false;
    window.width = width;
    window.height = height;
    ok = ok && window.Create();
  }
  ~GLTestWindow() {
    if (ok) window.Destroy();
  }

  struct Pixel {
    int r, g, b;
  };
  // Reads the back buffer (call before Swap); y counts from the top.
  Pixel At(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, window.height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }

  SdlDisplay display;
  GLWindow window;
  bool ok = true;
  bool dataFound = false;  // the generated data folder is there
};
