#pragma once
// Test helpers for folders. WorkingFolder runs a test inside a folder and
// puts the old working folder back when it goes. TempFolder is a fresh empty
// folder under /tmp, removed with everything in it when the helper goes; with
// `enter`, the test runs inside it until then.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class WorkingFolder {
 public:
  WorkingFolder() = default;
  explicit WorkingFolder(const std::string& folder) { Enter(folder); }
  ~WorkingFolder() { Leave(); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  // False, and the working folder unchanged, when the folder cannot be entered.
  bool Enter(const std::string& folder) {
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer) || chdir(folder.c_str()) != 0) return false;
    if (previous.empty()) previous = buffer;  // a second Enter still goes back to the first folder
    return true;
  }
  // Back in the folder of before the first Enter, if any.
  void Leave() {
    if (!previous.empty() && chdir(previous.c_str()) != 0) std::perror(previous.c_str());
    previous.clear();
  }

 private:
  std::string previous;  // the working folder before, while inside
};

class TempFolder {
 public:
  explicit TempFolder(bool enter = false) {
    std::string pattern = "/tmp/lumivane-test-XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    path = pattern;
    if (enter) inside.Enter(path);
  }
  ~TempFolder() {
    inside.Leave();
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return path + "/" + name; }

  std::string path;  // empty when no folder could be made
 private:
  WorkingFolder inside;
};
