// SoundLayer for the web build: the contract of services/SoundLayer.h with the
// Ogg Vorbis streams decoded by stb_vorbis (Debian's libstb-dev) instead of
// libvorbisfile, which has no WebAssembly build here. The channel behaves as
// the native one: pause keeps the position, volume 0..255 scales each sample
// as the native mix does, a second play starts from the first sample.
//
// stb_vorbis reads one logical stream (the first link of a chained file) and
// mixes any channel count down to stereo itself; links at another rate than
// the mixing rate are refused, as the browser's device has no converter.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_NO_STDIO
#include <stb_vorbis.h>

#include "platform/Platform.h"
#include "platform/Report.h"
#include "services/SoundLayer.h"

namespace {

constexpr long kMaxFileBytes = 256L * 1024 * 1024;  // as the native layer: no soundtrack is larger

const char* VorbisError(int code) {
  switch (code) {
    case VORBIS_outofmem: return "out of memory";
    case VORBIS_unexpected_eof: return "cut short";
    case VORBIS_invalid_setup:
    case VORBIS_invalid_first_page:
    case VORBIS_invalid_stream_structure_version: return "broken Vorbis header";
    case VORBIS_missing_capture_pattern: return "not an Ogg Vorbis file";
    default: return "not a playable Ogg Vorbis file";
  }
}

}  // namespace

struct SoundLayer::Stream {
  std::vector<unsigned char> data;  // the whole file; the decoder reads it in place
  stb_vorbis* decoder = nullptr;

  ~Stream() {
    if (decoder) stb_vorbis_close(decoder);
  }
};

SoundLayer::SoundLayer(AudioOut* out) : out(out) {}

SoundLayer::~SoundLayer() { Close(); }

bool SoundLayer::Init(int rate) {
  if (initialised) Close();
  if (!out || rate <= 0) return false;
  if (!out->Open(rate, &SoundLayer::Pull, this)) return false;
  mixRate = rate;
  initialised = true;
  started = false;
  channel = Channel{};
  return true;
}

SoundLayer::Stream* SoundLayer::StreamOpenFile(const char* path) {
  if (!initialised || !path) return nullptr;
  std::FILE* f = std::fopen(path, "rb");
  if (!f) {
    ReportCause(std::string(path) + ": " + std::strerror(errno));
    return nullptr;
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
    ReportCause(std::string(path) + (size == 0 ? ": empty file" : size > kMaxFileBytes ? ": too large" : ": cannot be read"));
    return nullptr;
  }
  return StreamOpenMemory(std::move(data), path);
}

SoundLayer::Stream* SoundLayer::StreamOpenMemory(std::vector<unsigned char> data, const char* name) {
  if (!initialised || data.empty() || data.size() > static_cast<std::size_t>(kMaxFileBytes)) return nullptr;
  auto stream = std::make_unique<Stream>();
  stream->data = std::move(data);
  int error = 0;
  stream->decoder = stb_vorbis_open_memory(stream->data.data(), static_cast<int>(stream->data.size()), &error, nullptr);
  if (!stream->decoder) {
    ReportCause(std::string(name) + ": " + VorbisError(error));
    return nullptr;
  }
  const stb_vorbis_info info = stb_vorbis_get_info(stream->decoder);
  if (info.channels < 1 || info.channels > 8 || info.sample_rate != static_cast<unsigned>(mixRate)) {
    ReportCause(std::string(name) + ": " + std::to_string(info.channels) + " channels at " +
                std::to_string(info.sample_rate) + " Hz cannot be played here (" + std::to_string(mixRate) +
                " Hz only)");
    return nullptr;
  }
  streams.push_back(std::move(stream));
  return streams.back().get();
}

int SoundLayer::StreamPlay(Stream* stream) {
  if (!initialised || !stream) return -1;
  out->Lock();
  const bool rewound = stb_vorbis_seek_start(stream->decoder) != 0;
  const bool wasPaused = channel.paused;
  if (rewound) {
    channel.stream = stream;
    channel.playing = true;
    channel.paused = false;
  }
  out->Unlock();
  if (!rewound) return -1;
  if (wasPaused) out->SetPaused(false);
  if (!started) {
    out->Start();
    started = true;
  }
  return 0;
}

void SoundLayer::SetPaused(int number, bool paused) {
  if (!initialised || number != 0) return;
  out->Lock();
  const bool changed = channel.stream && channel.paused != paused;
  if (channel.stream) channel.paused = paused;
  out->Unlock();
  if (changed) out->SetPaused(paused);
}

int SoundLayer::GetVolume(int number) {
  if (!initialised || number != 0) return 0;
  return channel.stream ? channel.volume : 0;
}

void SoundLayer::SetVolume(int number, int volume) {
  if (!initialised || number != 0) return;
  if (channel.stream) channel.volume = std::clamp(volume, 0, kMaxVolume);
}

void SoundLayer::StopSound(int number) {
  if (!initialised || number != 0) return;
  channel.stream = nullptr;
  channel.playing = false;
  channel.paused = false;
}

void SoundLayer::Close() {
  if (!initialised) return;
  out->Close();  // no pull runs after this
  channel = Channel{};
  streams.clear();
  initialised = false;
  started = false;
}

void SoundLayer::Pull(void* user, std::int16_t* frames, int frameCount) {
  static_cast<SoundLayer*>(user)->Mix(frames, frameCount);
}

void SoundLayer::Mix(std::int16_t* frames, int frameCount) {
  int done = 0;
  if (channel.stream && channel.playing && !channel.paused) {
    done = Decode(*channel.stream, frames, frameCount);
    if (done < frameCount) channel.playing = false;  // the end of the tune: silent until played again
    if (channel.volume != kMaxVolume) {
      for (int i = 0; i < done * 2; ++i) frames[i] = static_cast<std::int16_t>(frames[i] * channel.volume / kMaxVolume);
    }
  }
  std::fill(frames + done * 2, frames + frameCount * 2, std::int16_t{0});
}

int SoundLayer::Decode(Stream& stream, std::int16_t* frames, int frameCount) {
  int done = 0;
  while (done < frameCount) {
    const int got =
        stb_vorbis_get_samples_short_interleaved(stream.decoder, 2, frames + done * 2, (frameCount - done) * 2);
    if (got <= 0) break;
    done += got;
  }
  return done;
}
