// Lumivane: the demo's entry point.
#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/ProgramStart.h"
#include "app/QuorixSystem.h"
#include "platform/GtkSetupDialog.h"
#include "platform/Report.h"
#include "platform/SdlAudioOut.h"
#include "platform/SdlPlatform.h"
#include "services/DataFolder.h"
#include "window/GLWindow.h"
#include "window/SetupChoices.h"

namespace {

// Runs the chosen dialog and says on standard output what it chose.
class AnnouncedSetupDialog : public SetupDialog {
 public:
  explicit AnnouncedSetupDialog(SetupDialog* dialog) : dialog(dialog) {}
  SetupResult Run(SetupControls& controls) override {
    const SetupResult result = dialog->Run(controls);
    if (result == SetupResult::Start) {
      // The settings the window takes from them, by the window's own rule.
      GLWindow w(nullptr, nullptr);
      ApplySetupControls(controls, w);
      const char* mode = !w.fullscreen ? "windowed" : w.desktop ? "desktop fullscreen" : "fullscreen";
      std::printf("lumivane: %d x %d, %d bit, %s, %s\n", w.width, w.height, w.bits, mode,
                  w.sound ? "sound" : "no sound");
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
  TuneAllocator();

  const CommandLine line = ParseCommandLine(argc, argv);
  if (!line.error.empty()) {
    std::fprintf(stderr, "lumivane: %s\n%s", line.error.c_str(), CommandLineHelp());
    return 2;
  }
  if (line.help) {
    std::fputs(CommandLineHelp(), stdout);
    return 0;
  }
  UseDataFolder();

  const char* headless = std::getenv("LUMIVANE_HEADLESS");
  SdlMessageBoxes boxes(headless && *headless);
  SetMessageBoxes(&boxes);
  SdlClock clock;
  SdlDisplay display;
  SdlAudioOut audio;
  // Options on the command line stand for the dialog; without any it asks.
  FixedSetupDialog fixedDialog(line.controls);
  GtkSetupDialog gtkDialog(DataPath("data/setup.png"));
  AnnouncedSetupDialog dialog(line.skipDialog ? static_cast<SetupDialog*>(&fixedDialog) : &gtkDialog);

  Platform platform;
  platform.boxes = &boxes;
  platform.clock = &clock;
  platform.display = &display;
  platform.audio = &audio;
  platform.dialog = &dialog;

  // Quit in the dialog, a dialog that cannot be shown and a failed window end
  // at Setup, with nothing taken down (the failing step already did).
  long long frames = 0;
  double seconds = 0;
  QuorixSystem::Ending ending = QuorixSystem::Ending::NotEnded;
  {
    QuorixSystem system(platform);
    if (!system.Setup()) return 1;
    system.WarmUp();
    const std::int64_t start = clock.Counter();
    system.Run();
    seconds = static_cast<double>(clock.Counter() - start) / static_cast<double>(clock.Frequency());
    frames = static_cast<long long>(system.framesDrawn);
    ending = system.ending;
  }  // the destructor closes the window, then releases the rest
  std::printf("lumivane: %lld frames in %.1f s (%.1f frames per second), %s\n", frames, seconds,
              seconds > 0 ? static_cast<double>(frames) / seconds : 0.0, EndingText(ending));
  return 0;
}
