#include "app/CommandLine.h"

#include <cstring>

#include "window/SetupChoices.h"

const char* CommandLineHelp() {
  return "Usage: lumivane [options]\n"
         "Without options the setup dialog asks for the settings.\n"
         "  --windowed            play in a window\n"
         "  --fullscreen          play fullscreen (the default)\n"
         "  --size WxH            640x480, 800x600 (default) or 1024x768\n"
         "  --bits N              colour depth 16 or 32 (default)\n"
         "  --no-sound            no music\n"
         "  --help                this text\n"
         "Keys: F1 fullscreen/window, F8 pause, F5 resume, F6 restart, F3/F4 volume, Esc quit.\n";
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  line.controls = InitialSetupControls();
  SetupControls& c = line.controls;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--windowed") {
      c.fullscreen = false;
    } else if (arg == "--fullscreen") {
      c.fullscreen = true;
    } else if (arg == "--no-sound") {
      c.noSound = true;
    } else if (arg == "--size" && hasValue) {
      const std::string size = argv[++i];
      c.res640 = size == "640x480";
      c.res800 = size == "800x600";
      c.res1024 = size == "1024x768";
      if (!c.res640 && !c.res800 && !c.res1024) {
        line.error = "unsupported size '" + size + "' (use 640x480, 800x600 or 1024x768)";
        return line;
      }
    } else if (arg == "--bits" && hasValue) {
      const std::string bits = argv[++i];
      c.bits16 = bits == "16";
      c.bits32 = bits == "32";
      if (!c.bits16 && !c.bits32) {
        line.error = "unsupported colour depth '" + bits + "' (use 16 or 32)";
        return line;
      }
    } else if (arg == "--size" || arg == "--bits") {
      line.error = "option " + arg + " needs a value";
      return line;
    } else {
      line.error = "unknown option '" + arg + "'";
      return line;
    }
    line.skipDialog = true;
  }
  return line;
}
