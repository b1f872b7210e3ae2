#include "app/CommandLine.h"

#include "window/SetupChoices.h"

const char* CommandLineHelp() {
  return "Usage: lumivane [options]\n"
         "Without options the setup dialog asks for the settings; with any, it is skipped\n"
         "and the dialog's choices are taken with the options' changes.\n"
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
    std::string arg = argv[i];
    // "--size=WxH" and "--bits=N" as well as the value in the next argument.
    std::string value;
    bool hasValue = false;
    const std::size_t equals = arg.find('=');
    if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.erase(equals);
      hasValue = true;
    }
    const bool takesValue = arg == "--size" || arg == "--bits";
    if (hasValue && !takesValue) {
      line.error = "option " + arg + " takes no value";
      return line;
    }
    if (takesValue && !hasValue) {
      if (i + 1 >= argc) {
        line.error = "option " + arg + " needs a value";
        return line;
      }
      value = argv[++i];
    }

    if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--windowed") {
      c.fullscreen = false;
    } else if (arg == "--fullscreen") {
      c.fullscreen = true;
    } else if (arg == "--no-sound") {
      c.noSound = true;
    } else if (arg == "--size") {
      if (value != "640x480" && value != "800x600" && value != "1024x768") {
        line.error = "unsupported size '" + value + "' (use 640x480, 800x600 or 1024x768)";
        return line;
      }
      c.res640 = value == "640x480";
      c.res800 = value == "800x600";
      c.res1024 = value == "1024x768";
    } else if (arg == "--bits") {
      if (value != "16" && value != "32") {
        line.error = "unsupported colour depth '" + value + "' (use 16 or 32)";
        return line;
      }
      c.bits16 = value == "16";
      c.bits32 = value == "32";
    } else if (arg.compare(0, 1, "-") == 0) {
      line.error = "unknown option '" + arg + "'";
      return line;
    } else {
      line.error = "unexpected argument '" + arg + "'";
      return line;
    }
    line.skipDialog = true;
  }
  return line;
}
