#pragma once
// Test data and fixture for the mesh scenes: a temporary working directory
// with a "data/models" folder and ".tri" files written by the test.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "services/TextureBank.h"
#include "services/TriModel.h"
#include "tests/support/CallStream.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SceneTest.h"
#include "tests/support/TempFolder.h"

class SceneDataDir {
 public:
  SceneDataDir() {
    std::error_code failed;
    ok = !root.empty() && std::filesystem::create_directories(root + "/data/models", failed);
  }
  SceneDataDir(const SceneDataDir&) = delete;
  SceneDataDir& operator=(const SceneDataDir&) = delete;

  // Writes `count` entries: the given triangles first, then copies of `filler`.
  // Each entry gets a hexadecimal field, as the format requires.
  void WriteTri(const std::string& name, const std::vector<Triangle>& first, int count,
                const Triangle& filler) {
    std::FILE* f = std::fopen((root + "/data/models/" + name).c_str(), "w");
    if (!f) return;
    for (int i = 0; i < count; ++i) {
      const Triangle& t = i < static_cast<int>(first.size()) ? first[i] : filler;
      for (const Vec3& v : t.vertices) std::fprintf(f, "%.9g %.9g %.9g\n", v.x, v.y, v.z);
      std::fprintf(f, "%x\n", 0x1f + i);
    }
    std::fclose(f);
  }

  TempFolder folder{true};  // the scenes run inside it
  const std::string root = folder.path;
  bool ok = false;
};

inline Triangle Tri(Vec3 a, Vec3 b, Vec3 c) {
  Triangle t{};
  t.vertices[0] = a;
  t.vertices[1] = b;
  t.vertices[2] = c;
  t.normal = FaceNormal(a, b, c);
  return t;
}

// Lopsided triangles for a test to put first in a model file, so that a
// swapped or misread value shows; the filler pads the file to its count.
inline const Triangle kFirstTriangle = Tri({0.125f, 0.25f, 0.375f}, {1.5f, -0.25f, 0.5f}, {-0.75f, 1.0f, 2.0f});
inline const Triangle kSecondTriangle = Tri({0.0f, 0.5f, 0.0f}, {0.25f, 0.0f, -0.5f}, {2.0f, 1.0f, 1.0f});
inline const Triangle kFiller = Tri({0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});

// The eight faces of an octahedron of radius r around the origin, each
// counter-clockwise seen from outside.
inline std::vector<Triangle> Octahedron(float r) {
  const Vec3 px{r, 0, 0}, nx{-r, 0, 0}, py{0, r, 0}, ny{0, -r, 0}, pz{0, 0, r}, nz{0, 0, -r};
  return {Tri(px, py, pz), Tri(py, nx, pz), Tri(nx, ny, pz), Tri(ny, px, pz),
          Tri(py, px, nz), Tri(nx, py, nz), Tri(ny, nx, nz), Tri(px, ny, nz)};
}

// A flat disc of radius r in the plane z = 0, facing +z, as a fan whose
// triangles list two rim points first and the centre last.
inline std::vector<Triangle> RimFirstDisc(float r, int segments) {
  std::vector<Triangle> out;
  for (int i = 0; i < segments; ++i) {
    const double turn = 6.283185307179586;
    const double a0 = turn * i / segments, a1 = turn * (i + 1) / segments;
    out.push_back(Tri({static_cast<float>(r * std::cos(a0)), static_cast<float>(r * std::sin(a0)), 0},
                      {static_cast<float>(r * std::cos(a1)), static_cast<float>(r * std::sin(a1)), 0},
                      {0, 0, 0}));
  }
  return out;
}

// A model file a mesh scene reads: the given triangles first, filler after.
struct ModelFile {
  const char* name;
  std::vector<Triangle> first;
  int count;
};

// A mesh scene's recorded tests: its model files written into a temporary
// data folder before its Init, which loads them and its missing pictures
// (the boxes report the pictures).
template <class Scene, EffectId id>
class MeshSceneTest : public SceneTest<Scene, id> {
 protected:
  explicit MeshSceneTest(std::vector<ModelFile> models) : models(std::move(models)) {}
  void BeforeInit() override {
    ASSERT_TRUE(dir.ok);
    for (const ModelFile& m : models) dir.WriteTri(m.name, m.first, m.count, kFiller);
  }

  static GLCall Material(double r, double g, double b, double a) {
    return {"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, r, g, b, a}};
  }
  static GLCall ColorMaterial() { return {"glColorMaterial", {GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE}}; }
  static GLCall Black() { return {"glColor3f", {0, 0, 0}}; }
  // A triangle drawn as `mode`, the filled one with its normal first.
  static std::vector<GLCall> Drawn(GLenum mode, const Triangle& t) {
    std::vector<GLCall> calls = {CallStream::Begin(mode)};
    if (mode == GL_TRIANGLES) calls.push_back(CallStream::Normal(t.normal));
    for (const Vec3& v : t.vertices) calls.push_back(CallStream::Vertex(v));
    calls.push_back(CallStream::End());
    return calls;
  }
  // A triangle filled, then outlined in black as `outline`.
  static std::vector<GLCall> FilledAndOutlined(const Triangle& t, GLenum outline) {
    return CallStream::Joined({Drawn(GL_TRIANGLES, t), {Black()}, Drawn(outline, t)});
  }
  // How a part ends: the material colour set again, unlit, the colour black, its matrix popped.
  static std::vector<GLCall> PartEnd(double r, double g, double b, double a) {
    return {CallStream::Colour(r, g, b, a), CallStream::Disable(GL_LIGHTING), CallStream::Disable(GL_COLOR_MATERIAL),
            Black(), {"glPopMatrix", {}}};
  }
  // After the pictures: picture state off, light 0 (black ambient, white
  // diffuse and specular) at `position`, lit smooth shading with depth test.
  static std::vector<GLCall> LightAt(double x, double y, double z, double w) {
    return CallStream::Joined({CallStream::PictureStateOff(),
                               {{"glLightfv", {GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1}},
                                {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}},
                                {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1}},
                                {"glLightfv", {GL_LIGHT0, GL_POSITION, x, y, z, w}},
                                CallStream::Enable(GL_LIGHT0), CallStream::Enable(GL_LIGHTING),
                                {"glShadeModel", {GL_SMOOTH}}, CallStream::Enable(GL_DEPTH_TEST)}});
  }
  // The model's placement from the identity: moved to (x, y, z), turned by
  // `turn` degrees about y, then tilted as the ball and the flower are.
  static std::vector<GLCall> TiltedAt(double x, double y, double z, double turn) {
    return {CallStream::Identity(), CallStream::Translate(x, y, z), {"glRotatef", {turn, 0, 1, 0}},
            {"glRotatef", {180, 1, 0, 0}}, {"glRotatef", {-45, 0, 1, 0}}, {"glRotatef", {-70, 0, 0, 1}}};
  }
  // How many mesh primitives (all but the picture quads) of each mode the
  // frame drew; each has three vertices, each filled one its normal first.
  static std::map<int, int> MeshPrimitives() {
    std::map<int, int> modes;
    for (const CallStream::Primitive& p : CallStream::Primitives()) {
      if (p.mode == GL_QUADS) continue;
      EXPECT_EQ(p.vertices.size(), 3u) << "primitive at " << p.begin;
      if (p.mode == GL_TRIANGLES) {
        EXPECT_EQ(p.calls.front().name, "glNormal3f") << "triangle at " << p.begin;
      }
      ++modes[p.mode];
    }
    return modes;
  }
  // A caption's alpha `elapsed` ms into the scene, near the end of its fade:
  // the sine is small there and shows which pi the scene used, the float one.
  // The argument is (x - from) * pi / period, x in seconds.
  static void ExpectFloatPiSine(double alpha, int elapsed, int from, int period) {
    const float x = static_cast<float>(elapsed) / 1000.0f;
    EXPECT_FLOAT_EQ(alpha, std::sin(static_cast<double>((x - static_cast<float>(from)) * 3.14159274f /
                                                        static_cast<float>(period))));
    EXPECT_GT(std::fabs(alpha - std::sin((elapsed / 1000.0 - from) * M_PI / period)), 1e-8);
  }

  SceneDataDir dir;

 private:
  std::vector<ModelFile> models;
};
