// The parts of the Ogg Vorbis decoder that do not depend on the library that
// decodes: reading the file, the down-mix to stereo and seeking to a time.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "services/VorbisDecoder.h"

namespace {

// A bigger file is no soundtrack; refusing it keeps a wrong path from
// swallowing the memory.
constexpr long kMaxFileBytes = 256L * 1024 * 1024;

// Gains of each channel, in Vorbis channel order, on the left and the right side.
constexpr float kC = 0.70710678f;
struct Gains {
  float left[VorbisDecoder::kMaxChannels], right[VorbisDecoder::kMaxChannels];
};
constexpr Gains kDownMix[VorbisDecoder::kMaxChannels + 1] = {
    {{}, {}},
    {{1}, {1}},                                                           // mono
    {{1, 0}, {0, 1}},                                                     // L R
    {{1, kC, 0}, {0, kC, 1}},                                             // L C R
    {{1, 0, kC, 0}, {0, 1, 0, kC}},                                       // FL FR RL RR
    {{1, kC, 0, kC, 0}, {0, kC, 1, 0, kC}},                               // FL C FR RL RR
    {{1, kC, 0, kC, 0, 0}, {0, kC, 1, 0, kC, 0}},                         // FL C FR RL RR LFE
    {{1, kC, 0, kC, 0, 0.5f, 0}, {0, kC, 1, 0, kC, 0.5f, 0}},             // FL C FR SL SR RC LFE
    {{1, kC, 0, kC, 0, kC, 0, 0}, {0, kC, 1, 0, kC, 0, kC, 0}},           // FL C FR SL SR RL RR LFE
};

}  // namespace

void DownMixToStereo(const std::int16_t* in, int channels, std::size_t frames, std::int16_t* out) {
  if (channels <= 2) {
    for (std::size_t i = 0; i < frames; ++i) {
      out[2 * i] = in[i * channels];
      out[2 * i + 1] = in[i * channels + channels - 1];
    }
    return;
  }
  const Gains& mix = kDownMix[channels];
  float leftSum = 0, rightSum = 0;
  for (int c = 0; c < channels; ++c) {
    leftSum += mix.left[c];
    rightSum += mix.right[c];
  }
  for (std::size_t i = 0; i < frames; ++i) {
    float left = 0, right = 0;
    for (int c = 0; c < channels; ++c) {
      const float v = in[i * channels + c];
      left += mix.left[c] * v;
      right += mix.right[c] * v;
    }
    out[2 * i] = static_cast<std::int16_t>(std::clamp(std::lround(left / leftSum), -32768L, 32767L));
    out[2 * i + 1] = static_cast<std::int16_t>(std::clamp(std::lround(right / rightSum), -32768L, 32767L));
  }
}

bool VorbisDecoder::OpenFile(const std::string& path, std::string& error) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<unsigned char> data;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(f) : -1;
  ok = ok && size > 0 && size <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    data.resize(static_cast<std::size_t>(size));
    ok = std::fread(data.data(), 1, data.size(), f) == data.size();
  }
  std::fclose(f);
  if (!ok) {
    error = path + (size == 0 ? ": empty file" : size > kMaxFileBytes ? ": too large" : ": cannot be read");
    return false;
  }
  return Open(std::move(data), path, error);
}

bool VorbisDecoder::Open(std::vector<unsigned char> data, const std::string& name, std::string& error) {
  pending.clear();
  firstRate = firstChannels = 0;
  std::string why;
  const int links = OpenStream(std::move(data), why);
  for (int link = 0; why.empty() && link < links; ++link) {
    long rate = 0;
    int channels = 0;
    if (!LinkFormat(link, rate, channels)) {
      why = "a link without stream information cannot be played";
    } else if (rate < kMinRate || rate > kMaxRate || channels < 1 || channels > kMaxChannels) {
      why = std::to_string(channels) + " channels at " + std::to_string(rate) + " Hz cannot be played";
    } else if (link == 0) {
      firstRate = static_cast<int>(rate);
      firstChannels = channels;
    }
  }
  if (!why.empty()) {
    error = name + ": " + why;
    CloseStream();
    firstRate = firstChannels = 0;
    return false;
  }
  return true;
}

int VorbisDecoder::Rate() const { return firstRate; }
int VorbisDecoder::Channels() const { return firstChannels; }

bool VorbisDecoder::Rewind() {
  pending.clear();
  return RewindStream();
}

bool VorbisDecoder::Seek(std::int64_t ms) {
  if (!Rewind()) return false;
  if (ms <= 0) return true;
  // Frames are counted per run of pieces at one rate, so that a file of one
  // link skips exactly round(ms * rate / 1000) of them.
  double msLeft = static_cast<double>(ms);
  int runRate = 0;
  std::int64_t target = 0, passed = 0;
  std::vector<std::int16_t> piece;
  int rate = 0;
  while (Next(piece, rate)) {
    if (rate != runRate) {
      if (runRate > 0) msLeft -= static_cast<double>(passed) * 1000.0 / runRate;
      runRate = rate;
      passed = 0;
      target = std::llround(msLeft * rate / 1000.0);
    }
    const auto frames = static_cast<std::int64_t>(piece.size() / 2);
    if (passed + frames > target) {
      pending.assign(piece.begin() + (target - passed) * 2, piece.end());
      pendingRate = rate;
      break;
    }
    passed += frames;
  }
  return true;
}

bool VorbisDecoder::Next(std::vector<std::int16_t>& stereo, int& rate) {
  if (!pending.empty()) {
    stereo.swap(pending);
    pending.clear();
    rate = pendingRate;
    return true;
  }
  const std::int16_t* samples = nullptr;
  std::size_t frames = 0;
  int channels = 0;
  for (;;) {
    if (!Decode(samples, frames, channels, rate)) return false;
    if (frames > 0) break;
  }
  stereo.resize(frames * 2);
  DownMixToStereo(samples, channels, frames, stereo.data());
  return true;
}
