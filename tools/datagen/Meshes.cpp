#include "Meshes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

constexpr double kPi = 3.141592653589793;

Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator-(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 operator*(Point3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point3 Cross(Point3 a, Point3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Length(Point3 a) { return std::sqrt(Dot(a, a)); }
Point3 Normalised(Point3 a) { return a * (1.0 / Length(a)); }

// Adds triangle a, b, c turned so that it runs counter-clockwise seen from
// the side `outward` points to.
void AddFacing(Mesh& mesh, Point3 a, Point3 b, Point3 c, Point3 outward, uint32_t colour) {
  if (Dot(Cross(b - a, c - a), outward) < 0) std::swap(b, c);
  mesh.push_back({a, b, c, colour});
}

// ---------------------------------------------------------------- the ball --

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

struct Icosahedron {
  std::vector<Point3> vertices;
  std::vector<std::array<int, 3>> faces;  // counter-clockwise from outside
};

Icosahedron MakeIcosahedron() {
  const double phi = (1.0 + std::sqrt(5.0)) / 2.0;
  Icosahedron ico;
  for (double s1 : {-1.0, 1.0})
    for (double s2 : {-1.0, 1.0}) {
      ico.vertices.push_back({0, s1, s2 * phi});
      ico.vertices.push_back({s1, s2 * phi, 0});
      ico.vertices.push_back({s2 * phi, 0, s1});
    }
  const int n = static_cast<int>(ico.vertices.size());
  auto adjacent = [&](int i, int j) { return std::fabs(Length(ico.vertices[i] - ico.vertices[j]) - 2.0) < 1e-9; };
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      for (int k = j + 1; k < n; ++k)
        if (adjacent(i, j) && adjacent(j, k) && adjacent(i, k)) {
          const Point3 a = ico.vertices[i], b = ico.vertices[j], c = ico.vertices[k];
          if (Dot(Cross(b - a, c - a), a + b + c) > 0)
            ico.faces.push_back({i, j, k});
          else
            ico.faces.push_back({i, k, j});
        }
  return ico;
}

// The ball's radius: at 3.5 units from the eye it fills most of the picture
// band between the letterbox bars and still fits when it swells by half.
constexpr double kBallRadius = 0.75;

// Cutting every corner of the icosahedron at a third of each edge leaves a
// pentagon per corner and a hexagon per face: the truncated icosahedron.
class TruncatedIcosahedron {
 public:
  TruncatedIcosahedron() : ico(MakeIcosahedron()) {
    scale = kBallRadius / Length(Cut(0, Neighbours(0)[0]));
  }

  // Corner of the cut solid on edge i-j, next to vertex i; at kBallRadius.
  Point3 Cut(int i, int j) const {
    const Point3 a = ico.vertices[i], b = ico.vertices[j];
    return (a + (b - a) * (1.0 / 3.0)) * scale;
  }

  // The five neighbours of vertex i, counter-clockwise seen from outside.
  std::vector<int> Neighbours(int i) const {
    std::vector<int> around;
    for (const auto& f : ico.faces)
      for (int k = 0; k < 3; ++k)
        if (f[k] == i) around.push_back(f[(k + 1) % 3]);
    // Each face (i, j, k) gives j; order them by angle about the vertex.
    const Point3 axis = Normalised(ico.vertices[i]);
    const Point3 ref = Normalised(ico.vertices[around[0]] - ico.vertices[i]);
    const Point3 side = Cross(axis, ref);
    auto angle = [&](int j) {
      const Point3 d = ico.vertices[j] - ico.vertices[i];
      return std::atan2(Dot(d, side), Dot(d, ref));
    };
    std::sort(around.begin(), around.end(), [&](int p, int q) { return angle(p) < angle(q); });
    return around;
  }

  int VertexCount() const { return static_cast<int>(ico.vertices.size()); }
  const std::vector<std::array<int, 3>>& Faces() const { return ico.faces; }

 private:
  Icosahedron ico;
  double scale = 1.0;
};

// Fans a convex polygon (counter-clockwise from outside) from its centre,
// lifted a little towards the sphere so the patches bulge like a ball's.
void AddFan(Mesh& mesh, const std::vector<Point3>& polygon, uint32_t colour) {
  Point3 centre{0, 0, 0};
  for (const Point3& p : polygon) centre = centre + p;
  centre = centre * (1.0 / polygon.size());
  const double lifted = (Length(centre) + kBallRadius) / 2.0;
  centre = Normalised(centre) * lifted;
  const size_t n = polygon.size();
  for (size_t k = 0; k < n; ++k) mesh.push_back({polygon[k], polygon[(k + 1) % n], centre, colour});
}

// ---------------------------------------------------------------- the gear --

constexpr int kTeeth = 12;
constexpr double kRootRadius = 0.78, kTipRadius = 1.0, kHalfThickness = 0.15, kHubHeight = 0.4;

// Outline of the wheel, counter-clockwise seen from +z: five corners per
// tooth (root, tooth base, two tip corners, tooth base).
std::vector<Point3> GearOutline() {
  const double fractions[5] = {0.0, 0.2, 0.32, 0.58, 0.7};
  const double radii[5] = {kRootRadius, kRootRadius, kTipRadius, kTipRadius, kRootRadius};
  std::vector<Point3> outline;
  for (int tooth = 0; tooth < kTeeth; ++tooth)
    for (int k = 0; k < 5; ++k) {
      const double angle = 2.0 * kPi * (tooth + fractions[k]) / kTeeth;
      outline.push_back({radii[k] * std::cos(angle), radii[k] * std::sin(angle), 0});
    }
  return outline;
}

// --------------------------------------------------------------- the flower --

constexpr uint32_t kPetalColour = 0xE6E6FF, kStamenColour = 0xB3B300, kStemColour = 0x008000;

// Rotation about one axis by degrees, as OpenGL's glRotate does.
Point3 RotX(Point3 p, double deg) {
  const double r = deg * kPi / 180, c = std::cos(r), s = std::sin(r);
  return {p.x, p.y * c - p.z * s, p.y * s + p.z * c};
}
Point3 RotY(Point3 p, double deg) {
  const double r = deg * kPi / 180, c = std::cos(r), s = std::sin(r);
  return {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
}
Point3 RotZ(Point3 p, double deg) {
  const double r = deg * kPi / 180, c = std::cos(r), s = std::sin(r);
  return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

// The flower is designed upright (stem down -y, blossom at the origin). The
// scene turns the model by -70 about z, spin-45 about y, 180 about x and
// scales it by (2, 2, 1); undoing those here makes it stand upright on screen
// with the spin turning it about its stem.
Point3 ToModel(Point3 p) {
  p = RotZ(RotY(RotX(p, 180), 45), 70);
  return {p.x / 2, p.y / 2, p.z};
}

Mesh ToModel(Mesh mesh) {
  for (Tri& t : mesh) {
    t.a = ToModel(t.a);
    t.b = ToModel(t.b);
    t.c = ToModel(t.c);
  }
  return mesh;
}

// Where the blossom faces: up, leaning towards the viewer.
Point3 BlossomAxis() { return Normalised({0.58, 0.8, 0.16}); }

// An orthonormal frame around the blossom axis.
struct Frame {
  Point3 axis, u, v;
};
Frame FrameAround(Point3 axis) {
  const Point3 helper = std::fabs(axis.x) < 0.9 ? Point3{1, 0, 0} : Point3{0, 1, 0};
  const Point3 u = Normalised(Cross(axis, helper));
  return {axis, u, Cross(axis, u)};
}

// A thin closed leaf-like body: top and bottom surfaces meet along the whole
// rim. `spine(s)` is the midline point, `across(s)` the half-width vector and
// `up(s)` the side the top surface faces; thickness(s, w) must be 0 on the rim.
template <typename Spine, typename Across, typename Up, typename Thick>
void AddLens(Mesh& mesh, int lengthCells, int widthCells, Spine spine, Across across, Up up, Thick thickness,
             uint32_t colour) {
  // Thickness at a grid point; sin(pi) is not exactly 0, so clean it up.
  auto thick = [&](int i, int j) {
    const double t = thickness(double(i) / lengthCells, -1.0 + 2.0 * j / widthCells);
    return t < 1e-9 ? 0.0 : t;
  };
  auto point = [&](int i, int j, double side) {
    const double s = double(i) / lengthCells, w = -1.0 + 2.0 * j / widthCells;
    return spine(s, w) + across(s) * w + up(s) * (side * thick(i, j));
  };
  auto onRim = [&](int i, int j) { return thick(i, j) == 0.0; };
  for (int i = 0; i < lengthCells; ++i)
    for (int j = 0; j < widthCells; ++j)
      for (double side : {1.0, -1.0}) {
        const Point3 p00 = point(i, j, side), p10 = point(i + 1, j, side);
        const Point3 p01 = point(i, j + 1, side), p11 = point(i + 1, j + 1, side);
        const Point3 facing = up((i + 0.5) / lengthCells) * side;
        // Split the cell along a diagonal through a vertex off the rim: a
        // triangle with all three corners on the rim would be shared by both
        // surfaces and leave a flat fin instead of a closed body.
        if (!onRim(i, j) || !onRim(i + 1, j + 1)) {
          AddFacing(mesh, p00, p10, p11, facing, colour);
          AddFacing(mesh, p00, p11, p01, facing, colour);
        } else {
          AddFacing(mesh, p00, p10, p01, facing, colour);
          AddFacing(mesh, p10, p11, p01, facing, colour);
        }
      }
}

void AddPetal(Mesh& mesh, const Frame& f, double azimuth, double length, double elevation, double width) {
  const Point3 out = f.u * std::cos(azimuth) + f.v * std::sin(azimuth);
  const Point3 side = Cross(f.axis, out);
  const double rise = std::tan(elevation);
  auto spine = [=](double s, double w) {
    // Rises from the centre, then curls gently back down at the tip; the two
    // halves lift a little so the petal is cupped.
    const double r = 0.07 + length * s;
    const double h = length * (rise * s - 0.35 * s * s) + 0.05 * width * w * w / 0.1;
    return out * r + f.axis * h;
  };
  auto across = [=](double s) { return side * (width * (0.3 + 0.7 * std::sin(kPi * (0.12 + 0.8 * s)))); };
  auto up = [=](double s) { return Normalised(f.axis - out * (rise - 0.7 * s)); };
  auto thickness = [](double s, double w) { return 0.012 * std::sin(kPi * s) * (1.0 - w * w); };
  AddLens(mesh, 11, 2, spine, across, up, thickness, kPetalColour);
}

// Stem as a Bezier curve from just under the blossom down to the ground.
struct StemCurve {
  Point3 p0, p1, p2, p3;
  Point3 At(double t) const {
    const double u = 1 - t;
    return p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
  }
  Point3 Tangent(double t) const {
    const double u = 1 - t;
    return Normalised((p1 - p0) * (3 * u * u) + (p2 - p1) * (6 * u * t) + (p3 - p2) * (3 * t * t));
  }
};

StemCurve MakeStemCurve() {
  const Point3 axis = BlossomAxis();
  const Point3 top = axis * -0.05, bottom{0.12, -1.9, 0.05};
  return {top, top - axis * 0.55, bottom + Point3{0, 0.7, 0}, bottom};
}

void AddStemTube(Mesh& mesh, const StemCurve& curve) {
  const int sides = 8, segments = 33;
  std::vector<std::vector<Point3>> rings;
  Point3 normal = Normalised(Cross(curve.Tangent(0), {0, 0, 1}));
  for (int i = 0; i <= segments; ++i) {
    const double t = double(i) / segments;
    const Point3 tangent = curve.Tangent(t);
    normal = Normalised(normal - tangent * Dot(normal, tangent));  // carry the frame along
    const Point3 binormal = Cross(tangent, normal);
    const double radius = 0.03 + 0.012 * t;
    std::vector<Point3> ring;
    for (int k = 0; k < sides; ++k) {
      const double a = 2 * kPi * k / sides;
      ring.push_back(curve.At(t) + normal * (radius * std::cos(a)) + binormal * (radius * std::sin(a)));
    }
    rings.push_back(ring);
  }
  for (int i = 0; i < segments; ++i) {
    const Point3 centre = curve.At((i + 0.5) / segments);
    for (int k = 0; k < sides; ++k) {
      const Point3 a = rings[i][k], b = rings[i][(k + 1) % sides];
      const Point3 c = rings[i + 1][k], d = rings[i + 1][(k + 1) % sides];
      const Point3 outward = (a + b + c + d) * 0.25 - centre;
      AddFacing(mesh, a, b, d, outward, kStemColour);
      AddFacing(mesh, a, d, c, outward, kStemColour);
    }
  }
  // Close both ends with fans.
  for (int end = 0; end < 2; ++end) {
    const double t = end == 0 ? 0.0 : 1.0;
    const std::vector<Point3>& ring = rings[end == 0 ? 0 : segments];
    const Point3 outward = curve.Tangent(t) * (end == 0 ? -1.0 : 1.0);
    for (int k = 0; k < sides; ++k)
      AddFacing(mesh, ring[k], ring[(k + 1) % sides], curve.At(t), outward, kStemColour);
  }
}

void AddLeaf(Mesh& mesh, const StemCurve& curve, double at, double direction) {
  const Point3 base = curve.At(at);
  const Point3 out = Normalised({std::cos(direction), 0.0, std::sin(direction)});
  const Point3 side = Normalised(Cross({0, 1, 0}, out));
  const double length = 0.6, width = 0.13;
  auto spine = [=](double s, double) {
    return base + out * (length * s) + Point3{0, 1, 0} * (length * (0.55 * s - 0.45 * s * s));
  };
  auto across = [=](double s) { return side * (width * (0.08 + std::sin(kPi * (0.1 + 0.85 * s)))); };
  auto up = [=](double s) { return Normalised(Point3{0, 1, 0} - out * (0.55 - 0.9 * s)); };
  auto thickness = [](double s, double w) { return 0.008 * std::sin(kPi * s) * (1.0 - w * w); };
  AddLens(mesh, 11, 3, spine, across, up, thickness, kStemColour);
}

}  // namespace

Mesh BuildBallHexagons() {
  const TruncatedIcosahedron ball;
  Mesh mesh;
  for (const auto& f : ball.Faces()) {
    const int a = f[0], b = f[1], c = f[2];
    AddFan(mesh, {ball.Cut(a, b), ball.Cut(b, a), ball.Cut(b, c), ball.Cut(c, b), ball.Cut(c, a), ball.Cut(a, c)},
           kWhite);
  }
  return mesh;
}

Mesh BuildBallPentagons() {
  const TruncatedIcosahedron ball;
  Mesh mesh;
  for (int i = 0; i < ball.VertexCount(); ++i) {
    std::vector<Point3> polygon;
    for (int j : ball.Neighbours(i)) polygon.push_back(ball.Cut(i, j));
    AddFan(mesh, polygon, kBlack);
  }
  return mesh;
}

// The scene outlines each triangle's first edge (vertex 1 to vertex 2) in
// black: cap triangles start with their outline edge, side walls with the
// vertical edge at a corner. The gear is wound clockwise seen from outside,
// so its face normals point inwards: the scene's only light stands far behind
// the wheels, and inward normals make the faces turned to the viewer the lit
// ones.
Mesh BuildGear() {
  const std::vector<Point3> outline = GearOutline();
  const size_t n = outline.size();
  const Point3 front{0, 0, kHalfThickness}, back{0, 0, -kHalfThickness};
  Mesh mesh;
  for (size_t i = 0; i < n; ++i) {
    const Point3 p = outline[i], q = outline[(i + 1) % n];
    mesh.push_back({q + front, p + front, Point3{0, 0, kHubHeight}, 0x808080});
  }
  for (size_t i = 0; i < n; ++i) {
    const Point3 p = outline[i], q = outline[(i + 1) % n];
    mesh.push_back({p + back, q + back, Point3{0, 0, -kHubHeight}, 0x808080});
  }
  for (size_t i = 0; i < n; ++i) {
    const Point3 p = outline[i], q = outline[(i + 1) % n];
    mesh.push_back({p + back, p + front, q + back, 0x606060});
    mesh.push_back({q + front, q + back, p + front, 0x606060});
  }
  return mesh;
}

Mesh BuildFlowerPetals() {
  const Frame f = FrameAround(BlossomAxis());
  Mesh mesh;
  const int petals = 15;
  for (int i = 0; i < petals; ++i) {
    const bool inner = i % 2 == 1;
    const double azimuth = 2 * kPi * i / petals;
    AddPetal(mesh, f, azimuth, inner ? 0.40 : 0.50, inner ? 0.75 : 0.45, inner ? 0.085 : 0.10);
  }
  return ToModel(mesh);
}

Mesh BuildFlowerStamens() {
  // The flower's heart: a domed disc with a wavy rim.
  const Frame f = FrameAround(BlossomAxis());
  const int rim = 20;
  std::vector<Point3> ring;
  for (int k = 0; k < rim; ++k) {
    const double a = 2 * kPi * k / rim, r = k % 2 == 0 ? 0.11 : 0.095;
    ring.push_back((f.u * std::cos(a) + f.v * std::sin(a)) * r + f.axis * 0.04);
  }
  const Point3 top = f.axis * 0.1, bottom = f.axis * -0.02;
  Mesh mesh;
  for (int k = 0; k < rim; ++k) AddFacing(mesh, ring[k], ring[(k + 1) % rim], top, f.axis, kStamenColour);
  for (int k = 0; k < rim; ++k)
    AddFacing(mesh, ring[(k + 1) % rim], ring[k], bottom, f.axis * -1.0, kStamenColour);
  return ToModel(mesh);
}

Mesh BuildFlowerStem() {
  const StemCurve curve = MakeStemCurve();
  Mesh mesh;
  AddStemTube(mesh, curve);
  AddLeaf(mesh, curve, 0.55, 0.3);
  AddLeaf(mesh, curve, 0.72, 0.3 + kPi);
  return ToModel(mesh);
}

const std::vector<MeshFile>& MeshFiles() {
  static const std::vector<MeshFile> files = {
      {"flower_petal", 1320, BuildFlowerPetals}, {"flower_stamen", 40, BuildFlowerStamens},
      {"flower_stem", 808, BuildFlowerStem},     {"ball_hexagons", 120, BuildBallHexagons},
      {"ball_pentagons", 60, BuildBallPentagons}, {"gear", 240, BuildGear},
  };
  return files;
}

std::string FormatTri(const Mesh& mesh) {
  std::string text;
  char line[256];
  auto clean = [](double v) {  // round to the printed precision first: no "-0.000000"
    const double r = std::round(v * 1e6) / 1e6;
    return r == 0.0 ? 0.0 : r;
  };
  for (const Tri& t : mesh) {
    std::snprintf(line, sizeof line, "%.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f %06x\n", clean(t.a.x),
                  clean(t.a.y), clean(t.a.z), clean(t.b.x), clean(t.b.y), clean(t.b.z), clean(t.c.x), clean(t.c.y),
                  clean(t.c.z), static_cast<unsigned>(t.colour));
    text += line;
  }
  return text;
}

bool WriteTriFile(const std::string& path, const Mesh& mesh) {
  std::ofstream file(path, std::ios::binary);
  file << FormatTri(mesh);
  return static_cast<bool>(file.flush());
}
