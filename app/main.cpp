// Lumivane: the demo's entry point.
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/CommandLine.h"
#include "app/QuorixSystem.h"
#include "platform/GtkSetupDialog.h"
#include "platform/Report.h"
#include "platform/SdlAudioOut.h"
#include "platform/SdlPlatform.h"

namespace {

// The data folder is looked up in the working directory first; when it is not
// there, next to the executable, so the demo also runs when started elsewhere.
void FindDataFolder() {
  if (access("data", F_OK) == 0) return;
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return;
  path[n] = '\0';
  std::string dir(path);
  dir.erase(dir.find_last_of('/') + 1);
  if (chdir(dir.c_str()) != 0) std::fprintf(stderr, "lumivane: cannot change to %s\n", dir.c_str());
}

// Runs the chosen dialog and says on standard output what it chose.
class AnnouncedSetupDialog : public SetupDialog {
 public:
  explicit AnnouncedSetupDialog(SetupDialog* dialog) : dialog(dialog) {}
  int Run(SetupControls& controls) override {
    const int result = dialog->Run(controls);
    if (result == 1) {
      const SetupControls& c = controls;
      const int width = c.width > 0 ? c.width : c.res640 ? 640 : c.res1024 ? 1024 : 800;
      const int height = c.width > 0 ? c.height : c.res640 ? 480 : c.res1024 ? 768 : 600;
      const char* mode = !c.fullscreen ? "windowed" : c.desktop ? "desktop fullscreen" : "fullscreen";
      std::printf("lumivane: %d x %d, %d bit, %s, %s\n", width, height, c.bits16 ? 16 : 32, mode,
                  c.noSound ? "no sound" : "sound");
      std::fflush(stdout);
    }
    return result;
  }

 private:
  SetupDialog* dialog;
};

const char* EndingText(QuorixSystem::Ending ending) {
  switch (ending) {
    case QuorixSystem::Ending::DemoOver: return "the demo played to its end";
    case QuorixSystem::Ending::Escape: return "quit with Escape";
    case QuorixSystem::Ending::WindowClosed: return "window closed";
    case QuorixSystem::Ending::ToggleFailed: return "the fullscreen toggle failed";
    case QuorixSystem::Ending::NotEnded: break;
  }
  return "ended";
}

}  // namespace

int main(int argc, char** argv) {
  // glibc's heap trimming stalls whole frames under per-frame allocation
  // churn in the GL driver; keep the freed memory instead.
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);

  const CommandLine line = ParseCommandLine(argc, argv);
  if (!line.error.empty()) {
    std::fprintf(stderr, "lumivane: %s\n%s", line.error.c_str(), CommandLineHelp());
    return 2;
  }
  if (line.help) {
    std::fputs(CommandLineHelp(), stdout);
    return 0;
  }
  FindDataFolder();

  const char* headless = std::getenv("LUMIVANE_HEADLESS");
  SdlMessageBoxes boxes(headless && *headless);
  SetMessageBoxes(&boxes);
  SdlClock clock;
  SdlDisplay display;
  SdlAudioOut audio;
  // Options on the command line stand for the dialog; without any it asks.
  FixedSetupDialog fixedDialog(line.controls);
  GtkSetupDialog gtkDialog;
  AnnouncedSetupDialog dialog(line.skipDialog ? static_cast<SetupDialog*>(&fixedDialog) : &gtkDialog);

  Platform platform;
  platform.boxes = &boxes;
  platform.clock = &clock;
  platform.display = &display;
  platform.audio = &audio;
  platform.dialog = &dialog;

  // The demo's objects live until the process ends (held here so they stay
  // reachable); after a completed run the destructor releases the window, the
  // timer and the music. Quit in the dialog, a dialog that cannot be shown
  // and a failed window end at Setup, with nothing taken down.
  static QuorixSystem* system = nullptr;
  system = new QuorixSystem(platform);
  if (!system->Setup()) return 1;
  const std::uint64_t startMs = SDL_GetTicks64();
  system->Run();
  const double seconds = static_cast<double>(SDL_GetTicks64() - startMs) / 1000.0;
  const long long frames = static_cast<long long>(system->framesDrawn);
  const QuorixSystem::Ending ending = system->ending;
  delete system;
  std::printf("lumivane: %lld frames in %.1f s (%.1f frames per second), %s\n", frames, seconds,
              seconds > 0 ? static_cast<double>(frames) / seconds : 0.0, EndingText(ending));
  return 0;
}
