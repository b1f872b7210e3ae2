// The music opener and decoder on any bytes: open from memory, play, and
// pull up to a second of samples the way the audio device does (short, so a
// long run reaches millions of inputs).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/Platform.h"
#include "platform/SdlAudioOut.h"
#include "services/SoundLayer.h"

namespace {

class PulledAudioOut : public AudioOut {
 public:
  bool Open(int, Pull p, void* u) override {
    pull = p;
    user = u;
    return true;
  }
  void Start() override {}
  void Lock() override {}
  void Unlock() override {}
  void Close() override { pull = nullptr; }
  std::unique_ptr<RateConverter> NewConverter(int fromRate, int toRate) override {
    return SdlRateConverter::Make(fromRate, toRate);
  }

  Pull pull = nullptr;
  void* user = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PulledAudioOut out;
  SoundLayer layer(&out);
  if (!layer.Init(44100)) std::abort();
  SoundLayer::Stream* stream = layer.StreamOpenMemory(std::vector<unsigned char>(data, data + size), "fuzz.ogg");
  if (!stream) return 0;
  layer.StreamPlay(stream);
  std::vector<std::int16_t> buffer(2048 * 2);
  for (int pull = 0; pull < 22 && out.pull; ++pull) {
    out.pull(out.user, buffer.data(), 2048);
    if (pull == 10) layer.StreamPlay(stream);  // a restart in the middle
  }
  return 0;
}
