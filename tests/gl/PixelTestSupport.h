#pragma once
// Helpers for the pixel tests: the window, bank and message boxes a scene is
// drawn with, pictures replaced by tiny known ones, pixel comparisons, where
// a point in front of the camera lands in the window, and the fixtures the
// scenes' pixel tests share.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "effects/Effect.h"
#include "services/Random.h"
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

// Texel colours the tests paint pictures with.
namespace texel {
inline constexpr Rgba clear{0, 0, 0, 0}, white{255, 255, 255, 255}, red{255, 0, 0, 255}, green{0, 255, 0, 255},
                      blue{0, 0, 255, 255}, yellow{255, 255, 0, 255}, magenta{255, 0, 255, 255}, cyan{0, 255, 255, 255};
}  // namespace texel

// Each picture of the list in one flat colour (see PaintFlat).
inline void PaintFlat(TextureBank& bank, std::initializer_list<std::pair<int, Rgba>> pictures) {
  for (const auto& [slot, colour] : pictures) PaintFlat(bank.entries[slot], colour);
}

// Fills the buffer with one colour, as an earlier drawing may have left it.
inline void FillBuffer(float r, float g, float b) {
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

// What every scene leaves for the next drawing: texturing and blending off,
// the depth test on.
inline ::testing::AssertionResult StateAsAgreed() {
  const bool texture = glIsEnabled(GL_TEXTURE_2D), blend = glIsEnabled(GL_BLEND), depth = glIsEnabled(GL_DEPTH_TEST);
  if (!texture && !blend && depth) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "GL_TEXTURE_2D " << texture << ", GL_BLEND " << blend << ", GL_DEPTH_TEST "
                                       << depth << "; expected 0, 0, 1";
}

// Draws the frame `elapsed` ms into window `which` (0: the first) of the
// scene `id` as the timeline table has it.
inline void RenderInWindow(Effect& scene, EffectId id, int elapsed, int which = 0) {
  const int start = SceneStart(id, which);
  ASSERT_GE(start, 0) << "no such window of the scene";
  scene.Render(start + elapsed, start);
}

// Nearly black, as the mesh scenes' smoothed outlines are where they cross.
inline bool NearlyBlack(const GLTestWindow::Pixel& p) { return p.r + p.g + p.b < 30; }

// Window points (x, y from the top).
using WindowPoints = std::vector<std::pair<int, int>>;

// Every point of the columns `xs` on the rows `ys`.
inline WindowPoints GridPoints(std::initializer_list<int> xs, std::initializer_list<int> ys) {
  WindowPoints points;
  for (int y : ys)
    for (int x : xs) points.push_back({x, y});
  return points;
}

// The window a scene is drawn in, and the checks of what it shows that the
// scenes' pixel tests share. The message boxes come first, so a missing data
// file reported while the window or the scene is made lands there too.
class PixelWindow {
 public:
  PixelWindow(int w, int h) : window(w, h), width(w), height(h) {}

  int Width() const { return width; }
  int Height() const { return height; }
  // Window column and row of the eye-space point (x, y) at `depth`.
  int Column(double x, double depth) const { return ColumnAt(x, depth, width, height); }
  int Row(double y, double depth) const { return RowAt(y, depth, height); }

  // The whole back buffer, RGBA, bottom row first.
  std::vector<unsigned char> Pixels() const { return ReadFrame(width, height); }

  // Every point passes `is`; else the ones that do not, with their pixels.
  template <class Is>
  ::testing::AssertionResult AllAre(const WindowPoints& points, Is is) {
    return Check(points, is, true);
  }
  // Every point is (r, g, b) to within `tolerance`.
  ::testing::AssertionResult AllAre(const WindowPoints& points, int r, int g, int b, int tolerance) {
    return Check(points, [&](const GLTestWindow::Pixel& p) { return Near(p, r, g, b, tolerance); }, true)
           << " expected (" << r << ", " << g << ", " << b << ") within " << tolerance;
  }
  // No point is (r, g, b) to within `tolerance`.
  ::testing::AssertionResult NoneAre(const WindowPoints& points, int r, int g, int b, int tolerance) {
    return Check(points, [&](const GLTestWindow::Pixel& p) { return Near(p, r, g, b, tolerance); }, false)
           << " (" << r << ", " << g << ", " << b << ") within " << tolerance << " not expected";
  }

  // How many pixels of the rectangle from (x0, y0) to (x1, y1), both
  // included, pass `is`.
  template <class Is>
  int Count(int x0, int y0, int x1, int y1, Is is) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) n += is(window.At(x, y)) ? 1 : 0;
    return n;
  }

  // The clear colour is `clear`, exactly as given to glClearColor, and every
  // pixel of the frame shows it to within `tolerance`: nothing else was drawn.
  ::testing::AssertionResult FrameOfClearColour(const std::vector<float>& clear, int tolerance) {
    const std::vector<float> got = ClearColour();
    if (got != clear)
      return ::testing::AssertionFailure() << "clear colour (" << got[0] << ", " << got[1] << ", " << got[2] << ", "
                                           << got[3] << ")";
    int expected[3];
    for (int c = 0; c < 3; ++c) expected[c] = static_cast<int>(clear[c] * 255 + 0.5f);
    const std::vector<unsigned char> frame = Pixels();
    int wrong = 0;
    size_t first = 0;
    for (size_t i = 0; i < frame.size(); i += 4) {
      bool near = true;
      for (int c = 0; c < 3; ++c) near = near && std::abs(frame[i + c] - expected[c]) <= tolerance;
      if (!near && wrong++ == 0) first = i / 4;
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ from (" << expected[0] << ", " << expected[1]
                                         << ", " << expected[2] << "), the first at " << first % width << ","
                                         << height - 1 - static_cast<int>(first / width) << ": ("
                                         << +frame[first * 4] << ", " << +frame[first * 4 + 1] << ", "
                                         << +frame[first * 4 + 2] << ")";
  }

 protected:
  RecordingBoxes boxes;  // missing data files are reported here
  GLTestWindow window;

 private:
  // The points where `is` is not `wanted`, with their pixels.
  template <class Is>
  ::testing::AssertionResult Check(const WindowPoints& points, Is is, bool wanted) {
    std::ostringstream wrong;
    for (auto [x, y] : points) {
      const GLTestWindow::Pixel p = window.At(x, y);
      if (static_cast<bool>(is(p)) != wanted) wrong << " " << x << "," << y << " (" << p.r << ", " << p.g << ", " << p.b << ");";
    }
    if (wrong.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at" << wrong.str();
  }

  const int width, height;
};

// Compares two frames: how many of their bytes differ.
inline ::testing::AssertionResult SameFrame(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  if (a.size() != b.size()) return ::testing::AssertionFailure() << "frames of " << a.size() << " and " << b.size() << " bytes";
  const int differing = Differing(a, b);
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " bytes differ";
}

// A scene's pixel tests in a 640 x 480 window: the scene is made after the
// bank, initialised once the window is up and drawn in its window `Window`
// (0: the first) of the timeline, the times relative to that window's start.
// Derived fixtures set the options in their constructor, give pictures known
// colours in Paint and set the scene's parameters in BeforeFrame.
template <class Scene, EffectId id, int Window = 0>
class ScenePixelTest : public ::testing::Test, protected PixelWindow {
 public:
  static constexpr int kW = 640, kH = 480;

 protected:
  ScenePixelTest() : PixelWindow(kW, kH) {}

  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ASSERT_GE(kStart, 0);
    if (seed) Random::Seed(*seed);
    BeforeInit();
    scene.Init();
    if (allClear) PaintAllClear(bank);
    Paint();
  }
  virtual void BeforeInit() {}
  virtual void Paint() {}
  // What the timeline has done before the scene draws a frame.
  virtual void BeforeFrame() {
    if (overMagenta) FillBuffer(1, 0, 1);
    if (letterbox) LetterboxMatrix();
  }

  // Draws the frame `elapsed` ms into the scene's window.
  void Frame(int elapsed) { FrameInWindow(Window, elapsed); }
  // The same in another of the scene's windows.
  void FrameInWindow(int which, int elapsed) {
    BeforeFrame();
    RenderInWindow(scene, id, elapsed, which);
  }

  using PixelWindow::Pixels;
  // Draws the frame `elapsed` ms in and reads it back.
  std::vector<unsigned char> Pixels(int elapsed) {
    Frame(elapsed);
    return Pixels();
  }
  // Makes the pictures in `slots` fully transparent.
  void PaintOut(std::initializer_list<int> slots) {
    for (int slot : slots) PaintFlat(bank.entries[slot], texel::clear);
  }
  // How many bytes of the frame `elapsed` ms in change once the pictures in
  // `slots` are made transparent: what those pictures add to it.
  int ChangedWithout(std::initializer_list<int> slots, int elapsed) {
    const std::vector<unsigned char> with = Pixels(elapsed);
    PaintOut(slots);
    return Differing(with, Pixels(elapsed));
  }

  const int kStart = SceneStart(id, Window);
  std::optional<std::uint32_t> seed;  // seeds the generator before Init, for scenes that draw from it there
  bool allClear = false;              // every loaded picture transparent after Init: only clear colour and meshes show
  bool overMagenta = false;           // each frame over magenta: the timeline draws over whatever the buffer holds
  bool letterbox = false;             // each frame with the letterbox's matrix current
  TextureBank bank;
  Scene scene{&bank};
};

// The lamp and member-credits scenes: they place their sprites with the
// program-wide generator in Init, seeded here so that every run draws the
// same, and every picture is transparent until a test paints it.
template <class Scene, EffectId id>
class SpriteScenePixelTest : public ScenePixelTest<Scene, id> {
 protected:
  SpriteScenePixelTest() {
    this->seed = 1;
    this->allClear = true;
  }
  // The frame `elapsed` ms in shows the clear colour `clear` alone (no picture
  // is painted yet) and leaves the state as agreed.
  ::testing::AssertionResult OnlyClearColourAndStateAsAgreed(int elapsed, const std::vector<float>& clear) {
    this->Frame(elapsed);
    const ::testing::AssertionResult frame = this->FrameOfClearColour(clear, 2);
    if (!frame) return frame;
    return StateAsAgreed();
  }
};

// The terrain scenes (dunes, ocean) as the timeline draws them: the
// letterbox's matrix current and the terrain's phase set to `phase` before
// every frame, so that each frame shows the same waves whatever was drawn
// before; their overlays lie at depth 10.
template <class Scene, EffectId id, int Window = 0>
class TerrainScenePixelTest : public ScenePixelTest<Scene, id, Window> {
 protected:
  TerrainScenePixelTest() { this->letterbox = true; }
  void BeforeFrame() override {
    ScenePixelTest<Scene, id, Window>::BeforeFrame();
    this->scene.phase = phase;
  }

  // Window column and row of the eye-space point (x, y) at the overlays' depth.
  int Column(float x) const { return this->PixelWindow::Column(x, 10); }
  int Row(float y) const { return this->PixelWindow::Row(y, 10); }

  float phase = 0;  // radians
};

// The window sizes the size-dependent pixel tests run at.
inline auto WindowSizes() { return ::testing::Values(std::make_pair(640, 480), std::make_pair(1024, 768)); }

// A mesh scene's pixel tests at each of WindowSizes(): its model files, which
// derived fixtures write in WriteModels, in a temporary data folder, every
// picture transparent, the scene drawn in its first window of the timeline.
template <class Scene, EffectId id>
class MeshScenePixelTest : public ::testing::TestWithParam<std::pair<int, int>>, protected PixelWindow {
 protected:
  MeshScenePixelTest() : PixelWindow(GetParam().first, GetParam().second) {}

  void SetUp() override {
    ASSERT_TRUE(window.ok);
    ASSERT_TRUE(dir.ok);
    WriteModels();
    scene.Init();
    PaintAllClear(bank);
  }
  virtual void WriteModels() = 0;

  // Draws the frame `elapsed` ms into the scene's window.
  void Frame(int elapsed) { RenderInWindow(scene, id, elapsed); }

  // Writes `count` faces to data/models/`name`: `faces`, then copies of the first.
  void WriteModel(const std::string& name, const std::vector<Triangle>& faces, int count) {
    dir.WriteTri(name, faces, count, faces[0]);
  }
  // The ball as an octahedron of hexagon faces, the pentagons a smaller one hidden inside.
  void WriteBallModels() {
    WriteModel("ball_hexagons.tri", Octahedron(0.3f), 120);
    WriteModel("ball_pentagons.tri", Octahedron(0.1f), 60);
  }

  SceneDataDir dir;  // the scene runs inside it
  TextureBank bank;
  Scene scene{&bank};
};
