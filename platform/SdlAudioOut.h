#pragma once
#include <SDL.h>

#include "platform/Platform.h"

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

  int BufferFrames() const { return bufferFrames; }  // per callback, as opened

 private:
  static void SDLCALL Callback(void* self, Uint8* stream, int len);

  SDL_AudioDeviceID device = 0;
  Pull pull = nullptr;
  void* user = nullptr;
  int bufferFrames = 0;
};
