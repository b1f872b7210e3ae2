// lumivane-datagen OUTDIR [NAME...]
// Writes the demo's data folder (pictures, meshes, soundtrack) into OUTDIR.
// With names, writes only those assets (e.g. "sand gear soundtrack").
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "DataFolder.h"

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]) == "--help") {
    std::cerr << "usage: lumivane-datagen OUTDIR [NAME...]\n";
    return 2;
  }
  const std::vector<std::string> only(argv + 2, argv + argc);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = GenerateDataFolder(argv[1], std::cout, only);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << (ok ? "data folder written" : "data folder INCOMPLETE") << " in " << seconds << " s\n";
  return ok ? 0 : 1;
}
