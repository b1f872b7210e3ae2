// lumivane-render: draws the demo offline at a fixed frame rate and writes
// chosen frames as PNG files. The same code as the demo, with a simulated
// clock: every per-frame quantity (phases, angles, random draws) comes out as
// in a real run at that frame rate.
#include <GL/gl.h>
#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramStart.h"
#include "app/QuorixSystem.h"
#include "app/Timeline.h"
#include "platform/Report.h"
#include "platform/SdlPlatform.h"
#include "services/DataFolder.h"
#include "services/DemoTimer.h"
#include "services/FrameClock.h"
#include "services/PngWriter.h"
#include "tools/render/FrameStats.h"
#include "tools/render/VideoSink.h"
#include "window/GLWindow.h"
#include "window/ReadBack.h"

namespace {

const char* kHelp =
    "Usage: lumivane-render --size WxH --fps N --until MS [--from MS] [--at MS,MS,...] [--every K]\n"
    "                       [--checksums FILE | --picture-checksums FILE] [--times FILE.csv] --out DIR\n"
    "Draws the demo from demo time 0 (or --from) at N frames per second, frame k at\n"
    "round(k*1000/N) ms (+ --from), up to --until, and writes DIR/frame_<ms>.png for the\n"
    "frames chosen by --at (the first frame at or after each time) or every K-th frame.\n"
    "With --from the frames before are not drawn: per-frame state (phases, angles,\n"
    "random draws) then starts from its start-up values, not from where a full run\n"
    "would have brought it. Messages go to standard error. Prints the median, 95th and\n"
    "99th percentile and longest frame time of each scene window, the frames over 33 ms,\n"
    "the peak resident memory and the start-up time at the end; --times FILE.csv also\n"
    "writes one line per frame (demo time in ms, scene window, frame time in ms).\n"
    "--checksums FILE writes one line per drawn frame: its demo time and a 64-bit\n"
    "FNV-1a hash of its RGB pixels; --picture-checksums the same of the 4:3 picture\n"
    "only, so that a run at 1920x1080 can be compared with one at 1440x1080.\n"
    "--size takes WxH from 16x12 up to 16384x16384; a size that is not 4:3 gets the\n"
    "4:3 picture centred with black around it, as in the demo.\n"
    "\n"
    "Usage: lumivane-render --video FILE [--size WxH] [--fps N] [--from MS] [--until MS]\n"
    "                       [--crf N] [--msaa N] [--no-sound] [--out DIR ...]\n"
    "Captures every frame into FILE with the demo's sound: H.264 and AAC when FILE ends\n"
    "in .mp4, VP9 and Opus for .webm. Defaults: --size 1440x1080, --fps 60, --from 0,\n"
    "--until 195000 (the whole demo). A size that is not 4:3 shows the picture centred\n"
    "with black around it. --crf sets the constant quality (lower is better; default\n"
    "20 for .mp4, 30 for .webm); --msaa 2, 4 or 8 draws with multisampling where the GL\n"
    "driver offers it; --no-sound leaves the sound track out.\n";

struct Options {
  int width = 640, height = 480;
  int fps = 60;
  int until = -1;
  int from = 0;
  std::vector<int> at;
  int every = 0;
  std::string out;
  std::string times;  // CSV of every frame's time, when given
  std::string checksums;
  bool pictureChecksums = false;  // of the picture area only
  std::string video;  // capture file; empty for PNG frames only
  int crf = -1;
  int msaa = 0;
  bool sound = true;
  bool sizeGiven = false;
};

bool ParseInt(const char* text, int& value) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

bool Parse(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help") {
      std::fputs(kHelp, stdout);
      std::exit(0);
    }
    if (arg == "--no-sound") {
      o.sound = false;
      continue;
    }
    if (i + 1 >= argc) {
      error = "option " + arg + " needs a value";
      return false;
    }
    const char* value = argv[++i];
    bool ok = true;
    if (arg == "--size") {
      ok = ParseSize(value, o.width, o.height, 16, 12);  // small sizes serve quick test runs
      o.sizeGiven = true;
    } else if (arg == "--fps") {
      ok = ParseInt(value, o.fps) && o.fps > 0 && o.fps <= 10000;
    } else if (arg == "--until") {
      ok = ParseInt(value, o.until);
    } else if (arg == "--from") {
      ok = ParseInt(value, o.from) && o.from >= 0;
    } else if (arg == "--every") {
      ok = ParseInt(value, o.every) && o.every > 0;
    } else if (arg == "--video") {
      o.video = value;
      ok = !o.video.empty();
    } else if (arg == "--crf") {
      ok = ParseInt(value, o.crf) && o.crf >= 0;
    } else if (arg == "--msaa") {
      ok = ParseInt(value, o.msaa) && (o.msaa == 2 || o.msaa == 4 || o.msaa == 8);
    } else if (arg == "--out") {
      o.out = value;
    } else if (arg == "--times") {
      o.times = value;
    } else if (arg == "--checksums" || arg == "--picture-checksums") {
      o.checksums = value;
      o.pictureChecksums = arg == "--picture-checksums";
    } else if (arg == "--at") {
      std::string list = value;
      std::size_t pos = 0;
      while (ok && pos <= list.size()) {
        std::size_t comma = list.find(',', pos);
        if (comma == std::string::npos) comma = list.size();
        int t = 0;
        ok = ParseInt(list.substr(pos, comma - pos).c_str(), t);
        o.at.push_back(t);
        pos = comma + 1;
      }
    } else {
      error = "unknown option '" + arg + "'";
      return false;
    }
    if (!ok) {
      error = "bad value '" + std::string(value) + "' for " + arg;
      return false;
    }
  }
  if (!o.video.empty()) {  // a capture: the whole demo at 1080 lines unless told otherwise
    if (!o.sizeGiven) o.width = 1440, o.height = 1080;
    if (o.until < 0) o.until = 195000;
    return true;
  }
  if (o.crf >= 0 || !o.sound) {
    error = "--crf and --no-sound go with --video";
    return false;
  }
  if (o.until < 0 || o.out.empty()) {
    error = "--until and --out are required";
    return false;
  }
  return true;
}

// Writes a frame read back from GL (RGBA rows bottom-up) as an RGB PNG.
bool WriteFrame(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba) {
  std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const unsigned char* src = rgba.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
    unsigned char* dst = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) std::memcpy(dst + x * 3, src + x * 4, 3);
  }
  return PngWriter::Write(path, PngWriter::Rgb(width, height, rgb));
}

// The SDL display, which also finishes each frame (for honest timings) and
// reads back the frames that are asked for before they are swapped.
class CaptureDisplay : public SdlDisplay {
 public:
  void Swap() override {
    glFinish();
    finished = std::chrono::steady_clock::now();
    if (video) video->TakeFrame();
    if (!capturePath.empty() || checksums) {
      int w = 0, h = 0;
      SDL_GL_GetDrawableSize(window, &w, &h);
      std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * h * 4);
      ReadBackPixels(0, 0, w, h, pixels.data());
      if (!capturePath.empty() && !WriteFrame(capturePath, w, h, pixels))
        std::fprintf(stderr, "cannot write %s\n", capturePath.c_str());
      if (checksums) {
        GLWindow::Area area{0, 0, w, h};
        if (pictureChecksums) area = GLWindow::PictureArea(w, h);
        std::fprintf(checksums, "%d %016llx\n", frameTime,
                     static_cast<unsigned long long>(Fnv1a(pixels, w, area)));
      }
      capturePath.clear();
    }
    SdlDisplay::Swap();
  }
  std::string capturePath;
  VideoSink* video = nullptr;  // takes every frame when set
  std::FILE* checksums = nullptr;  // one line per frame when set
  bool pictureChecksums = false;   // of the picture area only
  int frameTime = 0;               // demo time of the frame being drawn, ms
  std::chrono::steady_clock::time_point finished;

 private:
  // FNV-1a over the RGB bytes of `area` of a frame `width` pixels wide, rows
  // bottom-up (alpha is not shown, so it is left out).
  static std::uint64_t Fnv1a(const std::vector<unsigned char>& rgba, int width, const GLWindow::Area& area) {
    std::uint64_t hash = 14695981039346656037ull;
    for (int y = area.y; y < area.y + area.height; ++y) {
      const unsigned char* row = rgba.data() + (static_cast<std::size_t>(y) * width + area.x) * 4;
      for (std::size_t i = 0; i < static_cast<std::size_t>(area.width) * 4; ++i) {
        if (i % 4 == 3) continue;
        hash = (hash ^ row[i]) * 1099511628211ull;
      }
    }
    return hash;
  }
};

volatile std::sig_atomic_t interruptedBySignal = 0;

void OnInterrupt(int) { interruptedBySignal = 1; }

// Ctrl+C and SIGTERM stop a capture at the next frame instead of killing it.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() { return interruptedBySignal != 0; }

// Which scene window (row) a demo time falls into, for the statistics.
std::string SceneWindowAt(int now) {
  for (int i = 0; i < kTimelineRows; ++i) {
    const TimelineRow& row = kTimeline[i];
    if (row.kind == TimelineRow::RenderIn && IsScene(row.effect) && row.start < now && now < row.end)
      return std::string(EffectName(row.effect)) + " (" + std::to_string(row.start) + "-" +
             std::to_string(row.end) + ")";
  }
  return "no scene";
}

}  // namespace

int main(int argc, char** argv) {
  TuneAllocator();
  Options o;
  std::string error;
  if (!Parse(argc, argv, o, error)) {
    std::fprintf(stderr, "lumivane-render: %s\n%s", error.c_str(), kHelp);
    return 2;
  }
  char cwd[PATH_MAX];
  std::string out = o.out;
  if (!out.empty() && out[0] != '/' && getcwd(cwd, sizeof cwd)) out = std::string(cwd) + "/" + out;
  if (!out.empty()) mkdir(out.c_str(), 0755);
  std::string video = o.video;
  if (!video.empty() && video[0] != '/' && getcwd(cwd, sizeof cwd)) video = std::string(cwd) + "/" + video;
  std::FILE* checksums = nullptr;  // opened before the data-folder lookup may change the directory
  if (!o.checksums.empty() && !(checksums = std::fopen(o.checksums.c_str(), "w"))) {
    std::fprintf(stderr, "lumivane-render: cannot write %s\n", o.checksums.c_str());
    return 1;
  }
  FrameStats stats;
  if (!o.times.empty() && !stats.OpenCsv(o.times)) {
    std::fprintf(stderr, "lumivane-render: cannot write %s\n", o.times.c_str());
    return 1;
  }
  UseDataFolder();
  std::unique_ptr<VideoSink> videoCapture;
  int drawWidth = o.width, drawHeight = o.height;
  if (!o.video.empty()) {
    CaptureOptions c;
    c.path = video;
    c.width = o.width, c.height = o.height, c.fps = o.fps, c.fromMs = o.from, c.untilMs = o.until;
    c.crf = o.crf, c.sound = o.sound;
    c.area = GLWindow::PictureArea(o.width, o.height);
    drawWidth = c.area.width, drawHeight = c.area.height;
    c.soundPath = DataPath("data/Drevko - Lumivane.ogg");
    videoCapture = LoadVideoCapture(c, error);
    CatchInterrupts();
    if (!videoCapture || !videoCapture->Start(error)) {
      std::fprintf(stderr, "lumivane-render: %s\n", error.c_str());
      return 1;
    }
  }

  StderrMessageBoxes boxes;
  SetMessageBoxes(&boxes);
  SteppedClock clock;
  CaptureDisplay display;
  display.multisamples = o.msaa;
  // Start at once, windowed at the drawing size, without sound.
  SetupControls controls;
  controls.noSound = true;
  controls.bits32 = true;
  controls.width = drawWidth;
  controls.height = drawHeight;
  FixedSetupDialog setup(controls);
  display.checksums = checksums;
  display.pictureChecksums = o.pictureChecksums;
  Platform platform;
  platform.boxes = &boxes;
  platform.clock = &clock;
  platform.display = &display;
  platform.dialog = &setup;

  const auto system = std::make_unique<QuorixSystem>(platform);
  if (!system->Setup()) {
    if (o.msaa)
      std::fprintf(stderr, "lumivane-render: --msaa %d: no window with %d samples per pixel (the GL driver offers no "
                   "such pixel format)\n", o.msaa, o.msaa);
    return 1;
  }
  if (o.msaa) {
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    if (samples < o.msaa) {
      std::fprintf(stderr, "lumivane-render: --msaa %d: the GL driver offers %d samples per pixel\n", o.msaa, samples);
      return 1;
    }
    if (samples > o.msaa) std::fprintf(stderr, "lumivane-render: --msaa %d: the GL driver gives %d\n", o.msaa, samples);
  }
  system->WarmUp();
  display.video = videoCapture.get();
  clock.now = 0;
  system->timer->Start();

  double startupMs = -1.0;
  bool interrupted = false;
  std::vector<bool> taken(o.at.size(), false);
  int written = 0;
  for (long long k = 0;; ++k) {
    const int now = static_cast<int>(FrameTimeMs(k, o.fps)) + o.from;
    if (now > o.until || Interrupted() || (videoCapture && videoCapture->Failed())) break;
    // Ctrl+C and kill reach SDL as a quit event: stop there, keep what is done.
    WindowEvent event;
    while (display.PollEvent(event)) interrupted = interrupted || event.kind == WindowEvent::Quit;
    if (interrupted) {
      std::fprintf(stderr, "lumivane-render: interrupted at %d ms\n", now);
      break;
    }
    bool capture = o.every > 0 && k % o.every == 0;
    for (std::size_t i = 0; i < o.at.size(); ++i) {
      if (!taken[i] && now >= o.at[i]) {
        taken[i] = true;
        capture = true;
      }
    }
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%06d.png", now);
    display.capturePath = capture ? out + name : std::string();
    written += capture;
    display.frameTime = now;
    clock.now = now;  // the timer started at counter 0, so ElapsedMs() is `now`
    const auto begin = std::chrono::steady_clock::now();
    system->DrawFrame();
    const double ms = std::chrono::duration<double, std::milli>(display.finished - begin).count();
    if (k == 0) startupMs = FrameStats::ProcessAgeMs();
    stats.Add(now, SceneWindowAt(now), ms);
  }
  if (videoCapture) {
    display.video = nullptr;
    if (Interrupted()) error = "interrupted; no file written";
    else if (videoCapture->Failed()) error = videoCapture->Failure();
    if (!error.empty() || !videoCapture->Finish(error)) {
      videoCapture->Abort();
      std::fprintf(stderr, "\nlumivane-render: %s\n", error.c_str());
      return Interrupted() ? 130 : 1;
    }
  }
  if (display.checksums && std::fclose(display.checksums) != 0) {
    std::fprintf(stderr, "lumivane-render: cannot write %s\n", o.checksums.c_str());
    return 1;
  }
  if (!out.empty()) std::printf("%d frames written to %s\n", written, out.c_str());
  stats.Print(stdout);
  if (startupMs >= 0) std::printf("start-up: %.0f ms from process start to the first frame\n", startupMs);
  if (!stats.CloseCsv()) {
    std::fprintf(stderr, "lumivane-render: cannot write %s\n", o.times.c_str());
    return 1;
  }
  return interrupted ? 1 : 0;
}
