#include "tools/render/Soundtrack.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

namespace {
constexpr int kSilence = 4096;  // sample frames of silence fed at a time past the end
}  // namespace

Soundtrack::~Soundtrack() { swr_free(&resampler); }

bool Soundtrack::Open(const std::string& path, int fromMs, std::string& error) {
  if (!decoder.OpenFile(path, error)) return false;
  if (!decoder.Seek(fromMs)) {
    error = "cannot find " + std::to_string(fromMs) + " ms in '" + path + "'";
    return false;
  }
  ended = false;
  return true;
}

bool Soundtrack::Configure(int rate) {
  AVChannelLayout stereo;
  av_channel_layout_default(&stereo, 2);
  swr_free(&resampler);
  int rc = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLT, outRate, &stereo, AV_SAMPLE_FMT_S16, rate, 0,
                               nullptr);
  if (rc >= 0) rc = swr_init(resampler);
  av_channel_layout_uninit(&stereo);
  inRate = rate;
  return rc >= 0;
}

bool Soundtrack::SetRate(int rate, std::string& error) {
  outRate = rate;
  if (!Configure(decoder.Rate())) {
    error = "cannot convert the sound from " + std::to_string(decoder.Rate()) + " to " + std::to_string(rate) + " Hz";
    return false;
  }
  return true;
}

// Converts `frames` stereo frames at `inRate` (none: what the resampler still
// holds) onto the end of `ready`.
bool Soundtrack::Convert(const std::int16_t* samples, int frames) {
  const int room = swr_get_out_samples(resampler, frames);
  if (room < 0) return false;
  const std::size_t kept = ready.size() - readyPos;
  ready.erase(ready.begin(), ready.begin() + static_cast<std::ptrdiff_t>(readyPos));
  readyPos = 0;
  ready.resize(kept + static_cast<std::size_t>(room) * 2);
  uint8_t* outPtr = reinterpret_cast<uint8_t*>(ready.data() + kept);
  const uint8_t* inPtr = reinterpret_cast<const uint8_t*>(samples);
  const int made = swr_convert(resampler, &outPtr, room, samples ? &inPtr : nullptr, frames);
  ready.resize(kept + static_cast<std::size_t>(made > 0 ? made : 0) * 2);
  return made >= 0;
}

bool Soundtrack::Pull() {
  int rate = 0;
  if (!ended && decoder.Next(piece, rate)) {
    // A link at another rate: what the resampler holds of the last one first.
    if (rate != inRate && (!Convert(nullptr, 0) || !Configure(rate))) return false;
    return Convert(piece.data(), static_cast<int>(piece.size() / 2));
  }
  ended = true;
  piece.assign(kSilence * 2, 0);
  return Convert(piece.data(), kSilence);
}

void Soundtrack::Read(int frames, std::vector<float>& out) {
  const std::size_t want = static_cast<std::size_t>(frames) * 2;
  std::size_t done = 0;
  while (done < want) {
    if (readyPos == ready.size() && !Pull()) break;
    const std::size_t n = std::min(want - done, ready.size() - readyPos);
    out.insert(out.end(), ready.begin() + static_cast<std::ptrdiff_t>(readyPos),
               ready.begin() + static_cast<std::ptrdiff_t>(readyPos + n));
    readyPos += n;
    done += n;
  }
  out.resize(out.size() + (want - done), 0.0f);  // only after a conversion failure
}
