#pragma once
#include <string>
#include <vector>

struct Vec3 {
  float x, y, z;
};

// One triangle of a mesh: three vertices in file order and its unit face normal.
struct Triangle {
  Vec3 vertices[3];
  Vec3 normal;
};

// Unit normal of (p1 - p2) x (p1 - p3): it points to the side from which
// p1, p2, p3 run counter-clockwise. Differences and cross product are rounded
// to float, the length is summed in double; a degenerate triangle gives (0, 0, 0).
Vec3 FaceNormal(const Vec3& p1, const Vec3& p2, const Vec3& p3);

// A fixed number of triangles read from a ".tri" text file: per entry nine
// numbers (three vertices) and one hexadecimal field that is read and dropped.
class TriModel {
 public:
  explicit TriModel(int count) : triangles(count) {}

  // Reads `count` entries into records 0..count-1; anything after them is
  // ignored. A missing, short or malformed file is reported in a message box
  // and the records from the first unreadable entry on stay zeroed. Numbers are
  // read the same whatever the user's locale.
  void Read(const char* path, int count);

  // Read's work on a file's whole text: fills records 0..count-1 and zeroes
  // every record from the first unreadable entry on. Returns the number of
  // entries read; no message.
  int Parse(const std::string& text, int count);

  const Triangle& operator[](int i) const { return triangles[i]; }
  int Size() const { return static_cast<int>(triangles.size()); }

 private:
  std::vector<Triangle> triangles;
};
