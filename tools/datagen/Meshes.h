#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Point3 {
  double x = 0, y = 0, z = 0;
};

// One triangle of a .tri file: three vertices, counter-clockwise seen from
// outside (the gear's clockwise, see BuildGear), and a colour kept in the
// file's hexadecimal field.
struct Tri {
  Point3 a, b, c;
  uint32_t colour = 0xFFFFFF;
};

using Mesh = std::vector<Tri>;

// The meshes of the data folder.
Mesh BuildBallHexagons();   // 120 triangles: 20 hexagons of a truncated icosahedron
Mesh BuildBallPentagons();  // 60 triangles: its 12 pentagons
Mesh BuildGear();           // 240 triangles: a toothed wheel in the x-y plane, wound inwards
Mesh BuildFlowerPetals();   // 1320 triangles
Mesh BuildFlowerStamens();  // 40 triangles
Mesh BuildFlowerStem();     // 808 triangles: stem and two leaves

struct MeshFile {
  const char* name;  // file stem under models/
  size_t count;      // number of triangles the demo reads
  Mesh (*build)();
};

const std::vector<MeshFile>& MeshFiles();

// Text of a .tri file: one triangle per line, nine numbers and the colour.
std::string FormatTri(const Mesh& mesh);
bool WriteTriFile(const std::string& path, const Mesh& mesh);
