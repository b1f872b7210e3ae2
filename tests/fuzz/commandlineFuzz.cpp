// The command-line parser on any argument list: the bytes split at NUL into
// arguments. A line is either refused with a reason or gives one size (one of
// the dialog's three, or a size of its own within the bounds) and one colour depth.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args{"lumivane"};
  std::string arg;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(arg);
      arg.clear();
    } else {
      arg += static_cast<char>(data[i]);
    }
  }
  if (size > 0) args.push_back(arg);
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  const CommandLine line = ParseCommandLine(static_cast<int>(args.size()), argv.data());
  if (line.error.empty()) {
    const SetupControls& c = line.controls;
    const bool ownSize = c.width > 0 || c.height > 0;
    if (c.res640 + c.res800 + c.res1024 + ownSize != 1 || c.bits16 + c.bits32 != 1) std::abort();
    if (ownSize && (c.width < kMinWidth || c.height < kMinHeight || c.width > kMaxSide || c.height > kMaxSide))
      std::abort();
  }
  return 0;
}
