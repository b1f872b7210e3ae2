#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/render/Soundtrack.h"
#include "tools/render/VideoEncoder.h"
#include "tools/render/VideoSink.h"

// A capture in progress: takes each drawn frame from the GL back buffer, lays
// the sound in at the frames' pace, reports progress on standard error. The
// frames are encoded on a thread of their own while the next ones are drawn,
// with at most kQueued read back and waiting.
class VideoCapture : public VideoSink {
 public:
  explicit VideoCapture(const CaptureOptions& options);
  ~VideoCapture() override;

  bool Start(std::string& error) override;
  void TakeFrame() override;
  bool Failed() const override { return failed.load(std::memory_order_acquire); }
  const std::string& Failure() const override { return failure; }  // once Failed()
  bool Finish(std::string& error) override;
  void Abort() override;

 private:
  static constexpr int kQueued = 2;  // frames read back and not yet encoded, besides the one encoding

  void Encode();  // the encoding thread
  bool EncodeFrame(const std::vector<unsigned char>& picture);
  void StopEncoding();
  void Progress(bool last);

  CaptureOptions options;
  GLWindow::Area area;
  VideoEncoder encoder;
  Soundtrack soundtrack;
  bool withSound = false;
  std::int64_t total = 0;           // frames
  std::int64_t audioTotal = 0;      // sample frames of the whole capture
  std::int64_t audioDone = 0;       // sample frames encoded
  std::int64_t taken = 0;           // frames read back
  std::vector<unsigned char> frame; // the whole frame, rows top-down
  std::vector<float> samples;
  std::string failure;              // written by the encoding thread before `failed`
  std::atomic<bool> failed{false};

  // Picture areas read back (rows bottom-up): waiting to be encoded, and free.
  std::mutex lock;
  std::condition_variable changed;
  std::deque<std::vector<unsigned char>> waiting, spare;
  bool closing = false;  // no more frames come
  std::thread encoding;
  std::chrono::steady_clock::time_point began, shown;
  int lastTenth = 0;
  bool terminal = false;
};
