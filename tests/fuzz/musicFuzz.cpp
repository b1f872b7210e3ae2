// The one Ogg Vorbis decoder on any bytes, as the player and the capture use
// it: the player opens from memory, plays and pulls up to a second of samples
// the way the audio device does (short, so a long run reaches millions of
// inputs); the capture seeks to a demo time and pulls a few pieces.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/SdlAudioOut.h"
#include "services/SoundLayer.h"
#include "services/VorbisDecoder.h"

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

  VorbisDecoder decoder;
  std::string error;
  if (!decoder.Open(std::vector<unsigned char>(data, data + size), "fuzz.ogg", error)) std::abort();  // opened above
  // A time from the input's last byte: 0 to 255 * 4 ms, across a link's end in the seeds.
  decoder.Seek(static_cast<std::int64_t>(data[size - 1]) * 4);
  std::vector<std::int16_t> piece;
  int rate = 0;
  for (int n = 0; n < 8 && decoder.Next(piece, rate); ++n) {
  }
  return 0;
}
