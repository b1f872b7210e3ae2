#include "tools/render/VideoCapture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "services/FrameClock.h"
#include "tools/render/SoundFade.h"
#include "window/ReadBack.h"

namespace {

constexpr int kFadeMs = 20;  // the sound fades out over the last 20 ms, so the cut does not click

std::string ClockText(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  char text[32];
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  return text;
}

}  // namespace

VideoCapture::VideoCapture(const CaptureOptions& options) : options(options), area(options.area) {}

extern "C" __attribute__((visibility("default"))) VideoSink* lumivane_video_capture(const CaptureOptions* options) {
  return new VideoCapture(*options);
}

bool VideoCapture::Start(std::string& error) {
  if (!VideoEncoder::Check(options.path, options.sound, error)) return false;
  if (options.width % 2 || options.height % 2) {
    error = "a video frame needs an even width and height, not " + std::to_string(options.width) + "x" +
            std::to_string(options.height);
    return false;
  }
  total = FrameCount(options.fps, options.fromMs, options.untilMs);
  if (total <= 0) {
    error = "nothing to capture: --until is before --from";
    return false;
  }
  withSound = false;
  if (!options.sound) {
    std::fprintf(stderr, "lumivane-render: warning: --no-sound: the video gets no sound track\n");
  } else if (!soundtrack.Open(options.soundPath, options.fromMs, error)) {
    std::fprintf(stderr, "lumivane-render: warning: %s; the video gets no sound track\n", error.c_str());
    error.clear();
  } else {
    withSound = true;
  }
  VideoSettings s;
  s.path = options.path;
  s.width = options.width;
  s.height = options.height;
  s.fps = options.fps;
  s.crf = options.crf;
  s.audioChannels = withSound ? soundtrack.Channels() : 0;
  s.audioRate = withSound ? soundtrack.SourceRate() : 0;
  if (!encoder.Open(s, error)) {
    encoder.Abort();
    return false;
  }
  if (withSound) {
    if (!soundtrack.SetRate(encoder.AudioRate(), error)) {
      encoder.Abort();
      return false;
    }
    audioTotal = FrameShare(total, encoder.AudioRate(), options.fps);
  }
  read.assign(static_cast<std::size_t>(area.width) * area.height * 4, 0);
  frame.assign(static_cast<std::size_t>(options.width) * options.height * 4, 0);
  for (std::size_t i = 3; i < frame.size(); i += 4) frame[i] = 255;
  terminal = isatty(STDERR_FILENO) != 0;
  return true;
}

void VideoCapture::TakeFrame() {
  if (Failed() || encoder.FramesWritten() >= total) return;
  if (encoder.FramesWritten() == 0) began = shown = std::chrono::steady_clock::now();  // speed of the drawing only
  ReadBackPixels(0, 0, area.width, area.height, read.data());
  const std::size_t rowBytes = static_cast<std::size_t>(area.width) * 4;
  const int top = options.height - area.y - area.height;  // the area's top row, counted from the frame's top
  for (int r = 0; r < area.height; ++r) {  // GL rows run bottom-up
    const unsigned char* src = read.data() + static_cast<std::size_t>(area.height - 1 - r) * rowBytes;
    unsigned char* dst = frame.data() + (static_cast<std::size_t>(top + r) * options.width + area.x) * 4;
    std::copy(src, src + rowBytes, dst);
  }
  if (!encoder.AddFrame(frame.data(), options.width * 4, failure)) return;

  if (withSound) {
    // The sound up to the end of this frame; sample n is at fromMs + n / rate.
    const std::int64_t rate = encoder.AudioRate(), k = encoder.FramesWritten();
    const std::int64_t until = k == total ? audioTotal : FrameShare(k, rate, options.fps);
    samples.clear();
    soundtrack.Read(static_cast<int>(until - audioDone), samples);
    FadeBeforeCut(samples, soundtrack.Channels(), audioDone, audioTotal, rate * kFadeMs / 1000);
    if (!encoder.AddAudio(samples.data(), static_cast<int>(until - audioDone), failure)) return;
    audioDone = until;
  }
  Progress(encoder.FramesWritten() == total);
}

void VideoCapture::Progress(bool last) {
  const auto now = std::chrono::steady_clock::now();
  const std::int64_t done = encoder.FramesWritten();
  const double elapsed = std::chrono::duration<double>(now - began).count();
  const double speed = elapsed > 0 ? static_cast<double>(done) / elapsed : 0.0;
  const double left = speed > 0 ? static_cast<double>(total - done) / speed : 0.0;
  const int tenth = static_cast<int>(done * 10 / total);
  char line[160];
  std::snprintf(line, sizeof line, "frame %lld/%lld (%3d %%), %.1f fps, elapsed %s, left %s",
                static_cast<long long>(done), static_cast<long long>(total), static_cast<int>(done * 100 / total),
                speed, ClockText(elapsed).c_str(), ClockText(left).c_str());
  if (terminal) {
    if (!last && now - shown < std::chrono::milliseconds(250)) return;
    shown = now;
    std::fprintf(stderr, "\r%s\033[K%s", line, last ? "\n" : "");
  } else if (tenth > lastTenth) {
    lastTenth = tenth;
    std::fprintf(stderr, "%s\n", line);
  }
}

bool VideoCapture::Finish(std::string& error) {
  if (encoder.FramesWritten() != total) {
    error = "only " + std::to_string(encoder.FramesWritten()) + " of " + std::to_string(total) + " frames were drawn";
    encoder.Abort();
    return false;
  }
  if (!encoder.Finish(error)) {
    encoder.Abort();
    return false;
  }
  struct stat info {};
  stat(options.path.c_str(), &info);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::fprintf(stderr, "lumivane-render: wrote %s: %.1f MB, %.3f s, %lld frames of %dx%d at %d fps%s; %s at %.1f fps\n",
               options.path.c_str(), static_cast<double>(info.st_size) / 1e6,
               static_cast<double>(total) / options.fps, static_cast<long long>(total), options.width,
               options.height, options.fps, withSound ? " with sound" : ", no sound", ClockText(elapsed).c_str(),
               elapsed > 0 ? static_cast<double>(total) / elapsed : 0.0);
  return true;
}
