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

TEST(Ball, HexagonsAndPentagonsCloseIntoOneSphereOfRadiusOne) {
  std::vector<Triangle> ball = Load("ball_hexagons");
  const std::vector<Triangle> pentagons = Load("ball_pentagons");
  ball.insert(ball.end(), pentagons.begin(), pentagons.end());
  ExpectClosedAndConsistent(ball, "ball");
  for (const Triangle& t : ball)
    for (const V& p : t.p) {
      EXPECT_LE(Length(p), 1.001);
      EXPECT_GE(Length(p), 0.9);
    }
  // Neither part is closed on its own: the pentagons fill the hexagons' holes.
  std::map<std::pair<Key, Key>, int> edges;
  for (const Triangle& t : pentagons)
    for (int k = 0; k < 3; ++k) ++edges[{KeyOf(t.p[k]), KeyOf(t.p[(k + 1) % 3])}];
  int rim = 0;
  for (const auto& [edge, count] : edges) rim += edges.count({edge.second, edge.first}) == 0;
  EXPECT_EQ(rim, 60);  // 12 pentagons x 5 outer edges
}

TEST(Gear, FacesLookAlongTheAxisAndTheFlanksOutwards) {
  int front = 0, back = 0, flanks = 0;
  for (const Triangle& t : Load("gear")) {
    const V n = t.Normal(), c = t.Centroid();
    const double unitZ = n.z / Length(n);
    const bool allFront = t.p[0].z > 0 && t.p[1].z > 0 && t.p[2].z > 0;
    const bool allBack = t.p[0].z < 0 && t.p[1].z < 0 && t.p[2].z < 0;
    if (allFront) {
      EXPECT_GT(unitZ, 0.5);
      ++front;
    } else if (allBack) {
      EXPECT_LT(unitZ, -0.5);
      ++back;
    } else {
      EXPECT_NEAR(unitZ, 0.0, 1e-6);
      EXPECT_GT(n.x * c.x + n.y * c.y, 0.0) << "flank facing inwards";
      ++flanks;
    }
  }
  EXPECT_EQ(front, back);
  EXPECT_GT(flanks, 0);
}

TEST(Gear, IsAClosedWheelOfRadiusOneAndThicknessPointThree) {
  const std::vector<Triangle> gear = Load("gear");
  ExpectClosedAndConsistent(gear, "gear");
  EXPECT_GT(SignedVolume(gear), 0.0);
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
