#pragma once
#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "platform/SdlPlatform.h"

// A real display (SDL's, or one made from it) that keeps a copy of each frame
// as it is swapped while `keep` is set, to look at after the demo drew it.
template <class Base = SdlDisplay>
class KeptFrames : public Base {
 public:
  struct Pixel {
    int r, g, b;
  };
  void Swap() override {
    if (keep) {
      SDL_GL_GetDrawableSize(this->window, &width, &height);
      frame.assign(static_cast<std::size_t>(width) * height * 4, 0);
      glReadBuffer(GL_BACK);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    }
    Base::Swap();
  }
  // The kept frame's pixel; y counts from the top.
  Pixel At(int x, int y) const {
    const unsigned char* p = &frame[(static_cast<std::size_t>(height - 1 - y) * width + x) * 4];
    return {p[0], p[1], p[2]};
  }

  bool keep = true;
  int width = 0, height = 0;         // the kept frame's size in pixels
  std::vector<unsigned char> frame;  // RGBA, bottom row first
};
