#include "DataFolder.h"

#include <algorithm>
#include <filesystem>
#include <future>
#include <sstream>

#include "Meshes.h"
#include "Pictures.h"
#include "Soundtrack.h"

const char* const kSoundtrackFile = "Drevko - Lumivane.ogg";

namespace {

namespace fs = std::filesystem;

bool Wanted(const std::vector<std::string>& only, const std::string& name) {
  return only.empty() || std::find(only.begin(), only.end(), name) != only.end();
}

bool WritePictures(const fs::path& dir, const std::vector<std::string>& only, std::ostream& log) {
  bool ok = true;
  std::vector<const PictureSpec*> specs;
  for (const auto& s : TexturePictures()) specs.push_back(&s);
  for (const auto& s : ExtraPictures()) specs.push_back(&s);
  for (const PictureSpec* spec : specs) {
    if (!Wanted(only, spec->name)) continue;
    const fs::path file = dir / (spec->name + ".png");
    if (!RenderPicture(*spec, file.string())) {
      log << "cannot write " << file.string() << "\n";
      ok = false;
    }
  }
  return ok;
}

bool WriteMeshes(const fs::path& dir, const std::vector<std::string>& only, std::ostream& log) {
  bool ok = true;
  for (const MeshFile& mesh : MeshFiles()) {
    if (!Wanted(only, mesh.name)) continue;
    const fs::path file = dir / (std::string(mesh.name) + ".tri");
    if (!WriteTriFile(file.string(), mesh.build())) {
      log << "cannot write " << file.string() << "\n";
      ok = false;
    }
  }
  return ok;
}

bool WriteSoundtrack(const fs::path& dir, std::ostream& log) {
  const fs::path file = dir / kSoundtrackFile;
  if (!WriteSoundtrackFile(RenderSoundtrack(), file.string())) {
    log << "cannot write " << file.string() << "\n";
    return false;
  }
  return true;
}

}  // namespace

bool GenerateDataFolder(const std::string& outdir, std::ostream& log, const std::vector<std::string>& only) {
  const fs::path dir(outdir);
  std::error_code error;
  fs::create_directories(dir / "models", error);
  if (error) {
    log << "cannot create " << (dir / "models").string() << ": " << error.message() << "\n";
    return false;
  }
  // The soundtrack takes about as long as all the pictures: make it on a
  // second thread. Neither side shares any state with the other.
  std::ostringstream soundLog;
  std::future<bool> sound = std::async(std::launch::async, [&]() {
    return Wanted(only, "soundtrack") ? WriteSoundtrack(dir, soundLog) : true;
  });
  bool ok = WritePictures(dir, only, log);
  ok = WriteMeshes(dir / "models", only, log) && ok;
  ok = sound.get() && ok;
  log << soundLog.str();
  return ok;
}
