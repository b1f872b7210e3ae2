// The generated meshes read back through the demo's own reader.
#include <gtest/gtest.h>

#include <cmath>

#include "Meshes.h"
#include "TestData.h"
#include "services/TriModel.h"

TEST(TriModelRoundTrip, TheDemoReadsTheSameVerticesAndUnitNormals) {
  for (const MeshFile& mesh : MeshFiles()) {
    const std::string path = GeneratedFolder() + "/models/" + mesh.name + ".tri";
    std::vector<TriEntry> entries;
    ASSERT_TRUE(ReadTriFile(path, entries));
    const int count = static_cast<int>(mesh.count);
    TriModel model(count);
    model.Read(path.c_str(), count);
    for (int i = 0; i < count; ++i) {
      const Triangle& t = model[i];
      for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(t.vertices[v].x, entries[i][3 * v]) << mesh.name << " " << i;
        EXPECT_EQ(t.vertices[v].y, entries[i][3 * v + 1]) << mesh.name << " " << i;
        EXPECT_EQ(t.vertices[v].z, entries[i][3 * v + 2]) << mesh.name << " " << i;
      }
      const double length = std::sqrt(t.normal.x * t.normal.x + t.normal.y * t.normal.y + t.normal.z * t.normal.z);
      ASSERT_NEAR(length, 1.0, 1e-5) << mesh.name << " triangle " << i << " has no usable normal";
    }
  }
}
