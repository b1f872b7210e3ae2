#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/render/Soundtrack.h"
#include "tools/render/VideoEncoder.h"

// The picture area of a capture: the largest centred 4:3 rectangle of the
// frame; the rest of the frame stays black.
struct PictureArea {
  int x = 0, y = 0;  // offset from the frame's top-left corner, pixels
  int width = 0, height = 0;
};
PictureArea CentredPicture(int frameWidth, int frameHeight);

// What `lumivane-render --video` is asked to do.
struct CaptureOptions {
  std::string path;                 // the target file, absolute
  int width = 1440, height = 1080;  // frame size, pixels
  int fps = 60;
  int fromMs = 0, untilMs = 195000;  // demo times of the first and last possible frame
  int crf = -1;                      // -1: the format's default
  bool sound = true;
  std::string soundPath;  // the demo's Ogg
};

// A capture in progress: takes each drawn frame from the GL back buffer, lays
// the sound in at the frames' pace, reports progress on standard error.
class VideoCapture {
 public:
  explicit VideoCapture(const CaptureOptions& options);

  // Number of frames the capture holds: frame k shows demo time
  // fromMs + round(k * 1000 / fps), up to untilMs.
  static std::int64_t FrameCount(int fps, int fromMs, int untilMs);

  // Checks the format and codecs, opens the sound and the file. False with
  // `error` set; nothing is left on disk then.
  bool Start(std::string& error);

  // Reads the current GL back buffer as the next frame and encodes it with
  // the sound up to its end.
  void TakeFrame();

  bool Failed() const { return !failure.empty(); }
  const std::string& Failure() const { return failure; }

  // Completes the file under its name and prints the summary; false with
  // `error` set.
  bool Finish(std::string& error);
  void Abort() { encoder.Abort(); }

  // Ctrl+C and SIGTERM stop the capture at the next frame instead of killing it.
  static void CatchInterrupts();
  static bool Interrupted();

 private:
  void Progress(bool last);

  CaptureOptions options;
  PictureArea area;
  VideoEncoder encoder;
  Soundtrack soundtrack;
  bool withSound = false;
  std::int64_t total = 0;           // frames
  std::int64_t audioTotal = 0;      // sample frames of the whole capture
  std::int64_t audioDone = 0;       // sample frames encoded
  std::vector<unsigned char> read;  // the picture area, rows bottom-up
  std::vector<unsigned char> frame; // the whole frame, rows top-down
  std::vector<float> samples;
  std::string failure;
  std::chrono::steady_clock::time_point began, shown;
  int lastTenth = 0;
  bool terminal = false;
};
