#pragma once
#include <cstdint>
#include <vector>

#include "platform/Platform.h"

// The audio device in a browser: Web Audio through the page's
// Module.lumivaneAudio (web/audio.js). The page makes the AudioContext in the
// Start click; without one (no sound chosen, no Web Audio) Open fails and the
// program shows its music warning. The node's pulls run on the page's thread
// between tasks, never inside a call of ours, so Lock and Unlock have nothing
// to keep out.
class WebAudioOut : public AudioOut {
 public:
  WebAudioOut() = default;
  ~WebAudioOut() override { Close(); }
  WebAudioOut(const WebAudioOut&) = delete;
  WebAudioOut& operator=(const WebAudioOut&) = delete;

  bool Open(int rate, Pull pull, void* user) override;
  void Start() override;
  void Lock() override {}
  void Unlock() override {}
  void Close() override;
  void SetPaused(bool paused) override;  // suspends and resumes the context with the demo clock

  // The page's node asks for `frameCount` frames; the answer stays valid
  // until the next call.
  const std::int16_t* Fill(int frameCount);

 private:
  Pull pull = nullptr;
  void* user = nullptr;
  std::vector<std::int16_t> buffer;
};
