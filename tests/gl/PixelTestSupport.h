#pragma once
// Helpers for the pixel tests: the window, bank and message boxes a scene is
// drawn with, pictures replaced by tiny known ones, pixel comparisons, and
// where a point in front of the camera lands in the window.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/MeshScenes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SceneTest.h"

struct Rgba {
  unsigned char r, g, b, a;
};

// The pixel is (r, g, b) to within `tolerance` in every channel.
inline ::testing::AssertionResult Near(const GLTestWindow::Pixel& p, int r, int g, int b, int tolerance) {
  if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
    return ::testing::AssertionSuccess() << "pixel (" << p.r << ", " << p.g << ", " << p.b << ")";
  return ::testing::AssertionFailure() << "pixel (" << p.r << ", " << p.g << ", " << p.b << "), expected (" << r
                                       << ", " << g << ", " << b << ") within " << tolerance;
}

// Replaces the entry's picture by `width` x `height` texels, the first row at t = 0.
inline void Upload(TextureEntry* entry, int width, int height, const std::vector<Rgba>& texels) {
  glBindTexture(GL_TEXTURE_2D, entry->Id());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}

// As Upload, sampled without filtering.
inline void PaintNearest(TextureEntry* entry, int width, int height, const std::vector<Rgba>& texels) {
  Upload(entry, width, height, texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// A picture of one row of texels, left to right, without filtering.
inline void PaintRow(TextureEntry* entry, const std::vector<Rgba>& texels) {
  PaintNearest(entry, static_cast<int>(texels.size()), 1, texels);
}

// The top half `top`, the bottom half `bottom`, without filtering.
inline void PaintHalves(TextureEntry* entry, Rgba top, Rgba bottom) {
  PaintNearest(entry, 2, 2, {top, top, bottom, bottom});
}

// One flat colour, filtered as the bank's pictures are. 64 x 64 texels: with
// GL_CLAMP the black border bleeds in only within half a texel of the edges.
inline void PaintFlat(TextureEntry* entry, Rgba colour) {
  Upload(entry, 64, 64, std::vector<Rgba>(64 * 64, colour));
}

// Every loaded picture fully transparent: only the scene's clear colour and
// meshes show.
inline void PaintAllClear(TextureBank& bank) {
  for (TextureEntry* e : bank.entries)
    if (e->Loaded()) PaintRow(e, {{0, 0, 0, 0}});
}

inline std::vector<float> ClearColour() {
  GLfloat c[4] = {-1, -1, -1, -1};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
  return {c[0], c[1], c[2], c[3]};
}

// The whole back buffer, RGBA, bottom row first.
inline std::vector<unsigned char> ReadFrame(int width, int height) {
  std::vector<unsigned char> frame(width * height * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
  return frame;
}

// How many bytes of two frames differ.
inline int Differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int differing = 0;
  for (size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
  return differing;
}

// The model-view matrix the letterbox leaves current when a scene starts drawing.
inline void LetterboxMatrix() {
  glLoadIdentity();
  glTranslatef(0.0f, -1.03f, -0.1f);
}

// Window column and row (from the top) of the eye-space point (x, y) at
// `depth` under the window's 45-degree projection (tan 22.5 degrees = 0.41421356).
inline int ColumnAt(double x, double depth, int width, int height) {
  return static_cast<int>(width / 2.0 * (1 + (x / depth) / (0.41421356 * width / height)));
}
inline int RowAt(double y, double depth, int height) {
  return static_cast<int>(height / 2.0 * (1 - (y / depth) / 0.41421356));
}

// A scene's pixel tests in a 640 x 480 window. Derived fixtures add the scene
// after these members, so it is made after the bank and goes before it.
class ScenePixelTest : public ::testing::Test {
 public:
  static constexpr int kW = 640, kH = 480;

 protected:
  std::vector<unsigned char> ReadFrame() const { return ::ReadFrame(kW, kH); }

  RecordingBoxes boxes;  // missing data files are reported here
  GLTestWindow window{kW, kH};
  TextureBank bank;
};

// A scene's pixel tests: the scene, made after the bank, initialised once the
// window is up and drawn in its first window of the timeline. Derived
// fixtures give its pictures known colours in Paint; with `overMagenta` each
// frame is drawn over magenta, as the timeline draws a scene over whatever
// the buffer holds.
template <class Scene, EffectId id>
class ScenePixels : public ScenePixelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ASSERT_GE(kStart, 0);
    scene.Init();
    Paint();
  }
  virtual void Paint() {}
  void Frame(int elapsed) {
    if (overMagenta) {
      glClearColor(1, 0, 1, 1);
      glClear(GL_COLOR_BUFFER_BIT);
    }
    scene.Render(kStart + elapsed, kStart);
  }

  const int kStart = SceneStart(id);
  bool overMagenta = false;
  Scene scene{&bank};
};

// The window sizes the size-dependent pixel tests run at.
inline auto WindowSizes() { return ::testing::Values(std::make_pair(640, 480), std::make_pair(1024, 768)); }

// A mesh scene's pixel tests at each of WindowSizes(), its model files
// written by the test into a temporary data folder.
class MeshPixelTest : public ::testing::TestWithParam<std::pair<int, int>> {
 protected:
  int Width() const { return GetParam().first; }
  int Height() const { return GetParam().second; }
  int Column(double x, double depth) const { return ColumnAt(x, depth, Width(), Height()); }
  int Row(double y, double depth) const { return RowAt(y, depth, Height()); }

  RecordingBoxes boxes;  // the pictures are missing: their reports land here
  GLTestWindow window{GetParam().first, GetParam().second};
  SceneDataDir dir;
  TextureBank bank;
};
