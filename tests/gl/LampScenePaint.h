#pragma once
// Pixel-test helpers for the lamp scenes and the member credits: pictures
// replaced by tiny known ones, and where a point in front of the camera
// lands in the window.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"

namespace lamppixels {

struct Rgba {
  unsigned char r, g, b, a;
};

// Gives the entry a picture of `width` texels in one row, nearest filtering.
inline void Paint(TextureEntry* entry, std::vector<Rgba> texels) {
  glBindTexture(GL_TEXTURE_2D, entry->Id());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(texels.size()), 1, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// Every entry fully transparent: only the clear colour remains.
inline void PaintAllClear(TextureBank& bank) {
  for (TextureEntry* e : bank.entries)
    if (e->Loaded()) Paint(e, {{0, 0, 0, 0}});
}

inline ::testing::AssertionResult Near(const GLTestWindow::Pixel& p, int r, int g, int b, int tolerance = 2) {
  if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << p.r << ", " << p.g << ", " << p.b << "), expected (" << r
                                       << ", " << g << ", " << b << ")";
}

inline std::vector<float> ClearColour() {
  GLfloat c[4] = {-1, -1, -1, -1};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
  return {c[0], c[1], c[2], c[3]};
}

}  // namespace lamppixels
