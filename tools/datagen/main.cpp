// lumivane-datagen OUTDIR [NAME...]
// Writes the demo's data folder (pictures, meshes, soundtrack) into OUTDIR.
// With names, writes only those assets (e.g. "sand gear soundtrack").
// lumivane-datagen --icon FILE
// Writes the application icon (PNG, 256 x 256) to FILE.
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "DataFolder.h"
#include "Pictures.h"

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]) == "--help") {
    std::cerr << "usage: lumivane-datagen OUTDIR [NAME...]\n       lumivane-datagen --icon FILE\n";
    return 2;
  }
  if (std::string(argv[1]) == "--icon") {
    if (argc != 3) {
      std::cerr << "usage: lumivane-datagen --icon FILE\n";
      return 2;
    }
    if (RenderPicture(IconPicture(), argv[2])) return 0;
    std::cerr << "cannot write " << argv[2] << "\n";
    return 1;
  }
  const std::vector<std::string> only(argv + 2, argv + argc);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = GenerateDataFolder(argv[1], std::cout, only);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << (ok ? "data folder written" : "data folder INCOMPLETE") << " in " << seconds << " s\n";
  return ok ? 0 : 1;
}
