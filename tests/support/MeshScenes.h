#pragma once
// Test data and fixture for the mesh scenes: a temporary working directory
// with a "data/models" folder and ".tri" files written by the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "services/TextureBank.h"
#include "services/TriModel.h"
#include "tests/support/RecordingBoxes.h"
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

// A mesh scene's recorded tests: its model files in a temporary data folder,
// the bank it loads its pictures into and the boxes that report them missing.
// The scene itself is a member of the derived fixture, made after these.
class MeshSceneTest : public ::testing::Test {
 protected:
  unsigned Id(int slot) { return bank.entries[slot]->Id(); }

  SceneDataDir dir;
  RecordingBoxes boxes;
  TextureBank bank;
};
