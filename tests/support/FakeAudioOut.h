#pragma once
// Test helper: an audio device driven by hand, and the reference slices that
// its output is compared with.
#include <algorithm>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/Platform.h"
#include "platform/SdlAudioOut.h"

using Samples = std::vector<std::int16_t>;

// A device that the test drives by hand: Pull() plays what the device thread
// would, with the device lock held, and only once the device was started.
// It converts other rates with the converter of the SDL device.
class FakeAudioOut : public AudioOut {
 public:
  bool Open(int r, Pull p, void* u) override {
    ++opens;
    rate = r;
    if (refuse) return false;
    pull = p;
    user = u;
    return true;
  }
  void Start() override { ++starts; }
  void Lock() override { mutex.lock(); }
  void Unlock() override { mutex.unlock(); }
  void SetPaused(bool paused) override { pauses.push_back(paused); }
  void Close() override {
    std::lock_guard<std::mutex> hold(mutex);
    ++closes;
    pull = nullptr;
  }
  std::unique_ptr<RateConverter> NewConverter(int fromRate, int toRate) override {
    return SdlRateConverter::Make(fromRate, toRate);
  }

  // `frames` stereo frames as the device would play them; garbage in the
  // buffer beforehand, as a real device hands over.
  Samples Play(int frames) {
    Samples out(static_cast<std::size_t>(frames) * 2, 0x5A5A);
    std::lock_guard<std::mutex> hold(mutex);
    if (pull && starts > 0) pull(user, out.data(), frames);
    else std::fill(out.begin(), out.end(), std::int16_t{0});
    return out;
  }

  std::mutex mutex;
  Pull pull = nullptr;
  void* user = nullptr;
  bool refuse = false;
  std::vector<bool> pauses;  // every SetPaused, in order
  int opens = 0, starts = 0, closes = 0, rate = 0;
};

// The reference: `frames` frames of the decoded tune from frame `from`, scaled
// as a channel volume of `volume` out of 255 scales them.
inline Samples Slice(const Samples& tune, int from, int frames, int volume = 255) {
  Samples out(tune.begin() + from * 2, tune.begin() + (from + frames) * 2);
  for (std::int16_t& s : out) s = static_cast<std::int16_t>(s * volume / 255);
  return out;
}

