#pragma once
#include <memory>
#include <string>

#include "window/GLWindow.h"


// What `lumivane-render --video` is asked to do.
struct CaptureOptions {
  std::string path;                 // the target file, absolute
  int width = 1440, height = 1080;  // frame size, pixels
  GLWindow::Area area;              // where the demo's picture goes in the frame (the window's rule)
  int fps = 60;
  int fromMs = 0, untilMs = 195000;  // demo times of the first and last possible frame
  int crf = -1;                      // -1: the format's default
  bool sound = true;
  std::string soundPath;  // the demo's Ogg
};

// A capture in progress, as the renderer drives it. The capture itself is in
// the module lumivane-video.so, loaded only for --video: FFmpeg and the many
// libraries it brings are not loaded (about 22 MiB resident) when the
// renderer only draws frames.
class VideoSink {
 public:
  virtual ~VideoSink() = default;
  // Checks the format and codecs, opens the sound and the file. False with
  // `error` set; nothing is left on disk then.
  virtual bool Start(std::string& error) = 0;
  // Reads the current GL back buffer as the next frame and encodes it with
  // the sound up to its end.
  virtual void TakeFrame() = 0;
  virtual bool Failed() const = 0;
  virtual const std::string& Failure() const = 0;
  // Completes the file under its name and prints the summary; false with
  // `error` set.
  virtual bool Finish(std::string& error) = 0;
  virtual void Abort() = 0;
};

// Loads the module (beside the program, then in the installed library
// folder) and makes a capture; null with `error` set when it cannot.
std::unique_ptr<VideoSink> LoadVideoCapture(const CaptureOptions& options, std::string& error);

// The module's one entry point.
extern "C" VideoSink* lumivane_video_capture(const CaptureOptions* options);
