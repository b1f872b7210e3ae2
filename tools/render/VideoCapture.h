#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/render/Soundtrack.h"
#include "tools/render/VideoEncoder.h"
#include "tools/render/VideoSink.h"

// A capture in progress: takes each drawn frame from the GL back buffer, lays
// the sound in at the frames' pace, reports progress on standard error.
class VideoCapture : public VideoSink {
 public:
  explicit VideoCapture(const CaptureOptions& options);

  bool Start(std::string& error) override;
  void TakeFrame() override;
  bool Failed() const override { return !failure.empty(); }
  const std::string& Failure() const override { return failure; }
  bool Finish(std::string& error) override;
  void Abort() override { encoder.Abort(); }

 private:
  void Progress(bool last);

  CaptureOptions options;
  GLWindow::Area area;
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
