#include "services/DataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

std::string& Folder() {
  static std::string folder = "data";
  return folder;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string FindDataFolder(const std::string& executableFolder) {
  if (IsFolder("data")) return "data";
  if (!executableFolder.empty()) {
    for (const char* candidate : {"data", "../share/lumivane/data"}) {
      const std::string path = executableFolder + candidate;
      if (IsFolder(path)) return path;
    }
  }
  return "data";
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return std::string();
  path[n] = '\0';
  std::string folder(path);
  folder.erase(folder.find_last_of('/') + 1);
  return folder;
}

void SetDataFolder(const std::string& folder) { Folder() = folder; }

std::string DataPath(const char* name) {
  static const char kPrefix[] = "data/";
  if (std::strncmp(name, kPrefix, sizeof kPrefix - 1) != 0) return name;
  return Folder() + "/" + (name + sizeof kPrefix - 1);
}
