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
