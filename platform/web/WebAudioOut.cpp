#include "platform/web/WebAudioOut.h"

#include <emscripten.h>

#include <algorithm>

namespace {

// The one open device: the page's node pulls through it.
WebAudioOut* openDevice = nullptr;

// Over this many frames a pull is no audio buffer (the node asks for 2048).
constexpr int kMaxPull = 16384;

}  // namespace

// Called by web/audio.js for every buffer; the frames sit in the module's heap.
extern "C" EMSCRIPTEN_KEEPALIVE const std::int16_t* lumivane_audio_pull(int frameCount) {
  return openDevice ? openDevice->Fill(frameCount) : nullptr;
}

bool WebAudioOut::Open(int rate, Pull pullFn, void* userData) {
  Close();
  if (!pullFn || rate <= 0) return false;
  const int opened = EM_ASM_INT({
    const audio = Module['lumivaneAudio'];
    if (!audio) return 0;
    const pull = function(frames) {
      const at = Module['_lumivane_audio_pull'](frames);
      if (!at) return new Int16Array(frames * 2);
      return Module['HEAP16'].subarray(at >> 1, (at >> 1) + frames * 2);
    };
    // The tune keeps to the demo clock (see web/audio.js).
    const demoMs = function() { return Module['_lumivane_demo_ms'](); };
    return audio.open($0, pull, demoMs) ? 1 : 0;
  }, rate);
  if (!opened) return false;
  pull = pullFn;
  user = userData;
  openDevice = this;
  return true;
}

const std::int16_t* WebAudioOut::Fill(int frameCount) {
  frameCount = std::clamp(frameCount, 0, kMaxPull);
  buffer.assign(static_cast<std::size_t>(frameCount) * 2, 0);
  if (pull && frameCount > 0) pull(user, buffer.data(), frameCount);
  return buffer.data();
}

void WebAudioOut::Start() {
  if (openDevice == this) EM_ASM({ Module['lumivaneAudio'].start(); });
}

void WebAudioOut::SetPaused(bool paused) {
  if (openDevice == this) EM_ASM({ Module['lumivaneAudio'].hold(!!$0); }, paused ? 1 : 0);
}

void WebAudioOut::Close() {
  if (openDevice != this) return;
  EM_ASM({ Module['lumivaneAudio'].close(); });
  openDevice = nullptr;
  pull = nullptr;
  user = nullptr;
}
