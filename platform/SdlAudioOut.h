#pragma once
#include <SDL.h>

#include "platform/Platform.h"

// SDL's audio stream: the converter SDL's devices use.
class SdlRateConverter : public RateConverter {
 public:
  SdlRateConverter(int fromRate, int toRate);
  ~SdlRateConverter() override;
  SdlRateConverter(const SdlRateConverter&) = delete;
  SdlRateConverter& operator=(const SdlRateConverter&) = delete;

  bool Valid() const { return stream != nullptr; }
  bool Put(const std::int16_t* frames, int frameCount) override;
  int Get(std::int16_t* frames, int frameCount) override;
  void Flush() override;

  // A converter, or null when SDL cannot make one for these rates.
  static std::unique_ptr<RateConverter> Make(int fromRate, int toRate);

 private:
  SDL_AudioStream* stream = nullptr;
};

// The audio device through SDL2: 16-bit signed stereo at the requested rate,
// filled by the pull callback on SDL's audio thread. SDL converts when the
// hardware wants another format.
class SdlAudioOut : public AudioOut {
 public:
  // 2048 frames: 46 ms at 44100 Hz per callback, enough slack for a busy
  // two-core machine, little enough for the music to follow the keys.
  static constexpr int kBufferFrames = 2048;

  SdlAudioOut() = default;
  ~SdlAudioOut() override { Close(); }
  SdlAudioOut(const SdlAudioOut&) = delete;
  SdlAudioOut& operator=(const SdlAudioOut&) = delete;

  bool Open(int rate, Pull pull, void* user) override;
  void Start() override;
  void Lock() override;
  void Unlock() override;
  void Close() override;
  std::unique_ptr<RateConverter> NewConverter(int fromRate, int toRate) override {
    return SdlRateConverter::Make(fromRate, toRate);
  }

  int BufferFrames() const { return bufferFrames; }  // per callback, as opened

 private:
  static void SDLCALL Callback(void* self, Uint8* stream, int len);

  SDL_AudioDeviceID device = 0;
  Pull pull = nullptr;
  void* user = nullptr;
  int bufferFrames = 0;
};
