// The .tri meshes: counts, winding, closedness and placement in their scenes.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "Meshes.h"
#include "TestData.h"

namespace {

struct V {
  double x, y, z;
};
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V Cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Length(V a) { return std::sqrt(Dot(a, a)); }

struct Triangle {
  V p[3];
  // The demo's face normal: (p1 - p2) x (p1 - p3), not normalised.
  V Normal() const { return Cross(p[0] - p[1], p[0] - p[2]); }
  V Centroid() const { return {(p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3, (p[0].z + p[1].z + p[2].z) / 3}; }
};

std::vector<Triangle> Load(const std::string& name) {
  std::vector<TriEntry> entries;
  EXPECT_TRUE(ReadTriFile(GeneratedFolder() + "/models/" + name + ".tri", entries)) << name;
  std::vector<Triangle> triangles;
  for (const TriEntry& e : entries)
    triangles.push_back({{{e[0], e[1], e[2]}, {e[3], e[4], e[5]}, {e[6], e[7], e[8]}}});
  return triangles;
}

using Key = std::tuple<float, float, float>;
Key KeyOf(V v) { return {float(v.x), float(v.y), float(v.z)}; }

// Every directed edge must appear once and its reverse once: the surface is
// closed and all its triangles turn the same way.
void ExpectClosedAndConsistent(const std::vector<Triangle>& mesh, const std::string& what) {
  std::map<std::pair<Key, Key>, int> directed;
  for (const Triangle& t : mesh)
    for (int k = 0; k < 3; ++k) ++directed[{KeyOf(t.p[k]), KeyOf(t.p[(k + 1) % 3])}];
  int open = 0, doubled = 0;
  for (const auto& [edge, count] : directed) {
    if (count != 1) ++doubled;
    if (directed.count({edge.second, edge.first}) == 0) ++open;
  }
  EXPECT_EQ(open, 0) << what << ": edges without a neighbour";
  EXPECT_EQ(doubled, 0) << what << ": edges used twice in the same direction";
}

double SignedVolume(const std::vector<Triangle>& mesh) {
  double volume = 0;
  for (const Triangle& t : mesh) volume += Dot(t.p[0], Cross(t.p[1], t.p[2])) / 6.0;
  return volume;
}

// The flower scene's model transform without its turning parts: rotate 180
// about x, -45 about y, -70 about z, scale (2, 2, 1).
V FlowerSceneTransform(V p) {
  p = {p.x * 2, p.y * 2, p.z};
  const double a = -70 * M_PI / 180, b = -45 * M_PI / 180;
  p = {p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a), p.z};
  p = {p.x * std::cos(b) + p.z * std::sin(b), p.y, -p.x * std::sin(b) + p.z * std::cos(b)};
  return {p.x, -p.y, -p.z};
}

}  // namespace

TEST(Meshes, FilesHoldExactlyTheCountsTheScenesRead) {
  const std::pair<const char*, size_t> expected[] = {{"flower_petal", 1320}, {"flower_stamen", 40},
                                                     {"flower_stem", 808},   {"ball_hexagons", 120},
                                                     {"ball_pentagons", 60}, {"gear", 240}};
  for (const auto& [name, count] : expected) EXPECT_EQ(Load(name).size(), count) << name;
  for (const MeshFile& file : MeshFiles()) EXPECT_EQ(file.build().size(), file.count) << file.name;
}

TEST(Meshes, NoTriangleIsDegenerate) {
  for (const char* name : {"flower_petal", "flower_stamen", "flower_stem", "ball_hexagons", "ball_pentagons", "gear"})
    for (const Triangle& t : Load(name)) ASSERT_GT(Length(t.Normal()), 1e-7) << name;
}

TEST(Ball, EveryNormalPointsAwayFromTheCentre) {
  for (const char* name : {"ball_hexagons", "ball_pentagons"})
    for (const Triangle& t : Load(name)) {
      const V n = t.Normal(), c = t.Centroid();
      ASSERT_GT(Dot(n, c) / (Length(n) * Length(c)), 0.85) << name;
    }
}

TEST(Ball, HexagonsAndPentagonsCloseIntoOneSphereOfRadiusThreeQuarters) {
  std::vector<Triangle> ball = Load("ball_hexagons");
  const std::vector<Triangle> pentagons = Load("ball_pentagons");
  ball.insert(ball.end(), pentagons.begin(), pentagons.end());
  ExpectClosedAndConsistent(ball, "ball");
  for (const Triangle& t : ball)
    for (const V& p : t.p) {
      EXPECT_LE(Length(p), 0.751);
      EXPECT_GE(Length(p), 0.675);
    }
  // Neither part is closed on its own: the pentagons fill the hexagons' holes.
  std::map<std::pair<Key, Key>, int> edges;
  for (const Triangle& t : pentagons)
    for (int k = 0; k < 3; ++k) ++edges[{KeyOf(t.p[k]), KeyOf(t.p[(k + 1) % 3])}];
  int rim = 0;
  for (const auto& [edge, count] : edges) rim += edges.count({edge.second, edge.first}) == 0;
  EXPECT_EQ(rim, 60);  // 12 pentagons x 5 outer edges
}

// The gear is wound inwards: the gears scene lights its wheels from far
// behind, and only inward normals light the side the viewer sees.
TEST(Gear, IsWoundInwardsCapsAlongTheAxisFlanksTowardsTheAxle) {
  int front = 0, back = 0, flanks = 0;
  for (const Triangle& t : Load("gear")) {
    const V n = t.Normal(), c = t.Centroid();
    const double unitZ = n.z / Length(n);
    const bool allFront = t.p[0].z > 0 && t.p[1].z > 0 && t.p[2].z > 0;
    const bool allBack = t.p[0].z < 0 && t.p[1].z < 0 && t.p[2].z < 0;
    if (allFront) {
      EXPECT_LT(unitZ, -0.5);
      ++front;
    } else if (allBack) {
      EXPECT_GT(unitZ, 0.5);
      ++back;
    } else {
      EXPECT_NEAR(unitZ, 0.0, 1e-6);
      EXPECT_LT(n.x * c.x + n.y * c.y, 0.0) << "flank facing outwards";
      ++flanks;
    }
  }
  EXPECT_EQ(front, 60);
  EXPECT_EQ(back, 60);
  EXPECT_EQ(flanks, 120);
}

// The scene draws a black line from vertex 1 to vertex 2 of every triangle:
// on the caps that edge must run along the toothed outline (not a spoke to
// the hub), on the flanks it is the upright edge at an outline corner.
TEST(Gear, EveryFirstEdgeIsAnOutlineEdge) {
  for (const Triangle& t : Load("gear")) {
    const V a = t.p[0], b = t.p[1];
    const bool cap = (t.p[2].x == 0 && t.p[2].y == 0);
    if (cap) {
      EXPECT_GT(std::hypot(a.x, a.y), 0.7);
      EXPECT_GT(std::hypot(b.x, b.y), 0.7);
      EXPECT_FLOAT_EQ(a.z, b.z);
    } else {
      EXPECT_FLOAT_EQ(a.x, b.x);
      EXPECT_FLOAT_EQ(a.y, b.y);
      EXPECT_NEAR(std::fabs(a.z - b.z), 0.3, 1e-5);
    }
  }
}

namespace {

// The gears scene: wheel placement, turn and light, in eye space.
struct GearPlacement {
  double sx, sy, tx, ty, turnAt0, turnPerSecond;
};
const GearPlacement kGears[4] = {{2, 2, 0, 0, 0, 100},
                                 {1.5, 1.5, 1.75, 0, 17, -100},
                                 {1, 1, 3, 1.9, 5, 100},
                                 {1, 1, 3, -1.9, 18, 100}};

V RotateY70(V p) {
  const double a = 70 * M_PI / 180;
  return {p.x * std::cos(a) + p.z * std::sin(a), p.y, -p.x * std::sin(a) + p.z * std::cos(a)};
}
V RotateZ(V p, double deg) {
  const double a = deg * M_PI / 180;
  return {p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a), p.z};
}

struct EyeTriangle {
  V centroid, normal;  // normal as the fixed-function pipeline turns it
};

EyeTriangle ToEye(const Triangle& t, const GearPlacement& g, double seconds) {
  const double turn = g.turnAt0 + g.turnPerSecond * seconds;
  V c = RotateZ(t.Centroid(), turn);
  c = {(c.x + g.tx) * g.sx, (c.y + g.ty) * g.sy, c.z};
  c = RotateY70(c);
  c = {c.x - 2.5, c.y, c.z - 7};
  V n = RotateZ(t.Normal(), turn);
  n = {n.x / g.sx, n.y / g.sy, n.z};  // inverse transpose of the scale
  return {c, RotateY70(n)};
}

// The light is placed under the photograph's matrix.
V LightAt(double seconds) { return {seconds + 0.5 - seconds / 100, 0.2 - seconds / 100, seconds - 54}; }

}  // namespace

// The gears scene's only light stands far behind the wheels, and one-sided
// lighting uses each face's normal as it is: most of what the viewer sees of
// every wheel must face the light (the rest are hub facets turned away).
TEST(Gear, TheSidesFacingTheViewerAreTheLitOnesInTheGearsScene) {
  const std::vector<Triangle> gear = Load("gear");
  for (const double seconds : {0.0, 3.0, 6.0})
    for (const GearPlacement& g : kGears) {
      double litArea = 0, seenArea = 0;
      for (const Triangle& t : gear) {
        const EyeTriangle e = ToEye(t, g, seconds);
        const V toViewer = V{0, 0, 0} - e.centroid, toLight = LightAt(seconds) - e.centroid;
        // Which side is outside follows from the shape, whatever the winding:
        // every face of the wheel looks away from its centre.
        const double outside = Dot(t.Normal(), t.Centroid()) > 0 ? 1.0 : -1.0;
        if (outside * Dot(e.normal, toViewer) <= 0) continue;  // hidden
        const double area = Length(t.Normal());
        seenArea += area;
        if (Dot(e.normal, toLight) > 0) litArea += area;
      }
      ASSERT_GT(seenArea, 0);
      EXPECT_GT(litArea / seenArea, 0.75) << "at " << seconds << " s, gear at " << g.tx << ", " << g.ty;
    }
}

TEST(Gear, IsAClosedWheelOfRadiusOneAndThicknessPointThree) {
  const std::vector<Triangle> gear = Load("gear");
  ExpectClosedAndConsistent(gear, "gear");
  EXPECT_LT(SignedVolume(gear), 0.0);  // wound inwards
  double maxRadius = 0;
  for (const Triangle& t : gear)
    for (const V& p : t.p) {
      const double r = std::hypot(p.x, p.y);
      maxRadius = std::max(maxRadius, r);
      if (r > 0.5) {
        EXPECT_NEAR(std::fabs(p.z), 0.15, 1e-5);  // rim and teeth
      }
    }
  EXPECT_NEAR(maxRadius, 1.0, 0.01);
}

TEST(Flower, EveryPartIsAClosedSurfaceWoundOutwards) {
  for (const char* name : {"flower_petal", "flower_stamen", "flower_stem"}) {
    const std::vector<Triangle> part = Load(name);
    ExpectClosedAndConsistent(part, name);
    EXPECT_GT(SignedVolume(part), 0.0) << name;
  }
}

TEST(Flower, StandsUprightWithTheBlossomOnTopInItsScene) {
  auto heights = [](const std::vector<Triangle>& part, double& low, double& high, double& spread) {
    low = 1e9, high = -1e9, spread = 0;
    for (const Triangle& t : part)
      for (const V& p : t.p) {
        const V w = FlowerSceneTransform(p);
        low = std::min(low, w.y);
        high = std::max(high, w.y);
        spread = std::max(spread, std::hypot(w.x, w.z));
      }
  };
  double stemLow, stemHigh, stemSpread, petalLow, petalHigh, petalSpread, heartLow, heartHigh, heartSpread;
  heights(Load("flower_stem"), stemLow, stemHigh, stemSpread);
  heights(Load("flower_petal"), petalLow, petalHigh, petalSpread);
  heights(Load("flower_stamen"), heartLow, heartHigh, heartSpread);
  EXPECT_LT(stemLow, -1.5);            // the stem reaches down below the blossom
  EXPECT_GT(petalLow, -0.5);           // the petals stay up at the top
  EXPECT_GT(petalHigh, heartHigh);     // and open around the heart
  EXPECT_NEAR(heartLow, 0.0, 0.15);    // the heart sits where the scene puts the flower
  EXPECT_GT(petalSpread, 0.4);         // a blossom about a unit across
  EXPECT_LT(petalSpread, 0.8);
  EXPECT_LT(heartSpread, petalSpread);
}
