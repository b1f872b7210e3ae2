#pragma once
// Test helper: a fresh empty folder under /tmp, removed with everything in it
// when the helper goes. With `enter`, the test runs inside it: the working
// folder is the new one until then, and the old one again afterwards.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TempFolder {
 public:
  explicit TempFolder(bool enter = false) {
    std::string pattern = "/tmp/lumivane-test-XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    path = pattern;
    if (!enter) return;
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) && chdir(path.c_str()) == 0) previous = buffer;
  }
  ~TempFolder() {
    if (!previous.empty() && chdir(previous.c_str()) != 0) std::perror(previous.c_str());
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return path + "/" + name; }

  std::string path;  // empty when no folder could be made
 private:
  std::string previous;  // the working folder before, while inside
};
