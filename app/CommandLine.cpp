#include "app/CommandLine.h"

#include <cstdlib>

#include "window/SetupChoices.h"

const char* CommandLineHelp() {
  return "Usage: lumivane [options]\n"
         "Without options the setup dialog asks for the settings; with any, it is skipped\n"
         "and the dialog's choices are taken with the options' changes.\n"
         "  --windowed            play in a window\n"
         "  --fullscreen          play fullscreen (the default), switching the display to --size\n"
         "  --desktop             play fullscreen at the desktop's own resolution, without\n"
         "                        a mode switch (F1 toggles to a --size window)\n"
         "  --size WxH            window or fullscreen size, from 320x240 up (default 800x600);\n"
         "                        the picture stays 4:3, centred with black around it\n"
         "  --bits N              colour depth 16 or 32 (default)\n"
         "  --no-sound            no music\n"
         "  --help                this text\n"
         "Keys: F1 fullscreen/window, F8 pause, F5 resume, F6 restart, F3/F4 volume, Esc quit.\n";
}

bool ParseSize(const std::string& text, int& width, int& height, int minWidth, int minHeight) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos || x == 0 || x + 1 == text.size() || x > 5 || text.size() - x - 1 > 5) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != x && (text[i] < '0' || text[i] > '9')) return false;
  const int w = std::atoi(text.substr(0, x).c_str()), h = std::atoi(text.substr(x + 1).c_str());
  if (w < minWidth || h < minHeight || w > kMaxSide || h > kMaxSide) return false;
  width = w;
  height = h;
  return true;
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
      c.desktop = false;
    } else if (arg == "--desktop") {
      c.fullscreen = true;
      c.desktop = true;
    } else if (arg == "--no-sound") {
      c.noSound = true;
    } else if (arg == "--size") {
      int width = 0, height = 0;
      if (!ParseSize(value, width, height)) {
        line.error = "unsupported size '" + value + "' (use WxH from 320x240 up to 16384x16384)";
        return line;
      }
      // The dialog's three sizes stay its choices; any other is a size of its own.
      c.res640 = value == "640x480";
      c.res800 = value == "800x600";
      c.res1024 = value == "1024x768";
      const bool dialogSize = c.res640 || c.res800 || c.res1024;
      c.width = dialogSize ? 0 : width;
      c.height = dialogSize ? 0 : height;
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
