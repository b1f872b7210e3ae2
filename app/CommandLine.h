#pragma once
#include <string>

#include "platform/Platform.h"

// Options that skip the setup dialog. With no arguments the dialog runs.
struct CommandLine {
  bool skipDialog = false;  // some setting was given
  SetupControls controls;   // the dialog's initial choices, changed by the options
  bool help = false;
  std::string error;        // non-empty: refuse to start
};

CommandLine ParseCommandLine(int argc, const char* const* argv);
const char* CommandLineHelp();

// Window sizes that --size takes, in pixels (the largest is also the largest
// viewport Mesa's drivers draw).
constexpr int kMinWidth = 320, kMinHeight = 240, kMaxSide = 16384;

// Reads "WxH" (decimal digits only), each side from the given minimum up to kMaxSide;
// false leaves the sizes as they were.
bool ParseSize(const std::string& text, int& width, int& height, int minWidth = kMinWidth,
               int minHeight = kMinHeight);

// Presses Start at once with fixed controls: the settings given on the command line.
class FixedSetupDialog : public SetupDialog {
 public:
  explicit FixedSetupDialog(const SetupControls& controls) : preset(controls) {}
  SetupResult Run(SetupControls& controls) override {
    controls = preset;
    return SetupResult::Start;
  }

 private:
  SetupControls preset;
};
