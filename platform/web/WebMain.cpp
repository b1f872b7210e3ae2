// Lumivane in a browser: the page starts runs through the hooks of WebHooks.h;
// the browser calls one pass of the main loop per animation frame.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <GL/gl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/QuorixSystem.h"
#include "platform/Report.h"
#include "platform/web/WebAudioOut.h"
#include "platform/web/WebHooks.h"
#include "platform/web/WebPlatform.h"
#include "services/DemoTimer.h"
#include "services/FrameClock.h"

namespace {

const char* EndingName(QuorixSystem::Ending ending) {
  switch (ending) {
    case QuorixSystem::Ending::DemoOver: return "demo-over";
    case QuorixSystem::Ending::Escape: return "escape";
    case QuorixSystem::Ending::WindowClosed: return "window-closed";
    case QuorixSystem::Ending::ToggleFailed: return "toggle-failed";
    case QuorixSystem::Ending::NotEnded: break;
  }
  return "ended";
}

// One run of the demo or of the frame mode; at most one at a time.
struct Run {
  WebAudioOut audio;  // outlives the system, whose music player closes it
  WebMessageBoxes boxes;
  WebClock clock;
  SteppedClock steppedClock;
  std::unique_ptr<WebDisplay> display;
  std::unique_ptr<FixedSetupDialog> setup;  // Start pressed with the page's choices
  std::unique_ptr<QuorixSystem> system;
  // Frame mode.
  int fps = 0;
  int from = 0;  // demo time of frame 0, as lumivane-render --from
  long long frame = 0;
  std::vector<int> at;
  std::vector<bool> taken;
  int width = 0, height = 0;
  bool loaded = false;  // the demo's Load has run (one animation frame after the loading screen)
  bool started = false; // the clock and the music run
};
std::unique_ptr<Run> run;

void Ended(const char* reason) {
  emscripten_cancel_main_loop();
  run.reset();  // the window and its context go first, then the rest
  EM_ASM({ if (typeof Module.lumivaneEnded == 'function') Module.lumivaneEnded(UTF8ToString($0)); }, reason);
}

// Makes the run's system and opens it: window, music, the loading screen.
bool OpenSystem(Clock* clock, int width, int height, bool fullscreen, bool sound, bool fit) {
  SetMessageBoxes(&run->boxes);
  run->display = std::make_unique<WebDisplay>(fit);
  SetupControls controls;
  controls.noSound = !sound;
  controls.fullscreen = fullscreen;
  controls.bits32 = true;
  controls.width = width;
  controls.height = height;
  run->setup = std::make_unique<FixedSetupDialog>(controls);
  Platform platform;
  platform.boxes = &run->boxes;
  platform.clock = clock;
  platform.display = run->display.get();
  platform.audio = &run->audio;  // without the page's audio context it does not open: the warning, then silence
  platform.dialog = run->setup.get();
  run->system = std::make_unique<QuorixSystem>(platform);
  return run->system->Open();
}

// The first animation frame after the loading screen was shown loads the
// pictures and the effects and starts the demo; every later one is a pass.
void DemoPass(void*) {
  if (!run->loaded) {
    run->system->Load();
    run->loaded = true;
  }
  if (!run->started) {
    // As a native message box holds the start-up, the demo starts once the
    // page's boxes are closed.
    if (EM_ASM_INT({ return Module.lumivaneMessageOpen && Module.lumivaneMessageOpen() ? 1 : 0; })) return;
    run->system->Start();
    run->started = true;
    return;
  }
  if (!run->system->Pass()) Ended(EndingName(run->system->ending));
}

// Frames in a row until the animation frame's time is used up: the frame mode
// draws every frame, as fast as the browser draws, not at the frame rate.
void RenderPass(void*) {
  Run& r = *run;
  const double until = emscripten_get_now() + 40.0;
  while (emscripten_get_now() < until) {
    const int now = static_cast<int>((r.frame * 2000 + r.fps) / (2LL * r.fps)) + r.from;
    ++r.frame;
    r.steppedClock.now = now;  // the timer started at counter 0, so the demo time is `now`
    r.system->DrawFrame();
    bool all = true;
    std::vector<unsigned char> pixels;
    for (std::size_t i = 0; i < r.at.size(); ++i) {
      if (!r.taken[i] && now >= r.at[i]) {
        r.taken[i] = true;
        if (pixels.empty()) {
          pixels.resize(static_cast<std::size_t>(r.width) * r.height * 4);
          glPixelStorei(GL_PACK_ALIGNMENT, 1);
          glReadPixels(0, 0, r.width, r.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        }
        EM_ASM({ Module.lumivaneFrame($0, $1, $2, $3); }, static_cast<int>(i), pixels.data(), r.width, r.height);
      }
      all = all && r.taken[i];
    }
    if (all) {
      emscripten_cancel_main_loop();
      run.reset();
      EM_ASM({ Module.lumivaneFramesDone(); });
      return;
    }
  }
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE int lumivane_start(int width, int height, int fullscreen, int sound) {
  if (run) return 1;
  run = std::make_unique<Run>();
  const bool fit = width <= 0 || height <= 0;
  if (fit) WebDisplay::FitSize(width, height);
  if (!OpenSystem(&run->clock, width, height, fullscreen != 0, sound != 0, fit)) {
    run.reset();
    EM_ASM({ if (typeof Module.lumivaneEnded == 'function') Module.lumivaneEnded('setup-failed'); });
    return 1;
  }
  run->display->running = true;
  emscripten_set_main_loop_arg(DemoPass, nullptr, 0, 0);
  return 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE int lumivane_demo_ms() {
  if (!run || !run->started) return -1;
  return run->system->paused ? run->system->now : run->system->timer->ElapsedMs();
}

extern "C" EMSCRIPTEN_KEEPALIVE void lumivane_key(int key, int down) {
  if (!run || !run->display || key <= 0 || key > 255) return;
  WindowEvent event;
  event.kind = down ? WindowEvent::KeyDown : WindowEvent::KeyUp;
  event.key = key;
  run->display->events.push_back(event);
}

extern "C" EMSCRIPTEN_KEEPALIVE int lumivane_render(int width, int height, int fps, int from, const char* at) {
  if (run || width < 1 || height < 1 || fps < 1 || from < 0 || !at) return 1;
  std::vector<int> times;
  for (const char* p = at; *p;) {
    char* end = nullptr;
    const long ms = std::strtol(p, &end, 10);
    if (end == p || ms < 0) return 1;
    times.push_back(static_cast<int>(ms));
    p = *end == ',' ? end + 1 : end;
    if (*end && *end != ',') return 1;
  }
  if (times.empty()) return 1;
  run = std::make_unique<Run>();
  if (!OpenSystem(&run->steppedClock, width, height, false, false, false)) {
    run.reset();
    return 1;
  }
  run->system->Load();
  run->fps = fps;
  run->from = from;
  run->at = times;
  run->taken.assign(times.size(), false);
  run->width = width;
  run->height = height;
  run->steppedClock.now = 0;
  run->system->timer->Start();
  emscripten_set_main_loop_arg(RenderPass, nullptr, 0, 0);
  return 0;
}
