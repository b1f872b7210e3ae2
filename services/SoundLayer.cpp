#include "services/SoundLayer.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "platform/Report.h"

namespace {

// A bigger file is no soundtrack; refusing it keeps a wrong path from
// swallowing the memory.
constexpr long kMaxFileBytes = 256L * 1024 * 1024;

// Corrupt pages make libvorbisfile report holes; this many in one pull and
// the stream counts as ended.
constexpr int kMaxHolesPerPull = 64;

// Rates outside these are no sound anyone made; the device's converter is not asked
// to stretch them.
constexpr long kMinRate = 1000;
constexpr long kMaxRate = 384000;

constexpr int kMaxChannels = 8;
constexpr int kBlockBytes = 4096 * kMaxChannels * 2;  // one ov_read at most

// Gains of each channel, in Vorbis channel order, on the left and the right
// side: fronts to their side, centre and surrounds at -3 dB, the rear centre
// at -6 dB to both, LFE left out. Each side is scaled so its gains sum to 1,
// so a full-scale tone on every channel stays full scale.
constexpr float kC = 0.70710678f;
struct DownMix {
  float left[kMaxChannels], right[kMaxChannels];
};
constexpr DownMix kDownMix[kMaxChannels + 1] = {
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

const char* VorbisError(int code) {
  switch (code) {
    case OV_EREAD: return "cannot be read";
    case OV_ENOTVORBIS: return "not an Ogg Vorbis file";
    case OV_EVERSION: return "Vorbis version not supported";
    case OV_EBADHEADER: return "broken Vorbis header";
    case OV_EFAULT: return "decoder fault";
    default: return "not a playable Ogg Vorbis file";
  }
}

}  // namespace

struct SoundLayer::Stream {
  std::vector<unsigned char> data;  // the whole file
  std::size_t pos = 0;              // read position of the decoder in `data`
  OggVorbis_File file{};
  bool fileOpen = false;

  // The last decoded block as stereo frames at `blockRate`; `blockUsed` of
  // them have been passed on.
  std::vector<std::int16_t> block;
  std::size_t blockUsed = 0;
  long blockRate = 0;
  std::vector<unsigned char> raw = std::vector<unsigned char>(kBlockBytes);

  // The rate converter for links at another rate than the mixing rate, and
  // the rate it takes. While `draining`, its last frames are taken out before
  // a link at another rate (or the end) follows.
  std::unique_ptr<RateConverter> converter;
  long converterRate = 0;
  bool draining = false;

  ~Stream() {
    Reset();
    if (fileOpen) ov_clear(&file);
  }

  void Reset() {
    converter.reset();
    converterRate = 0;
    draining = false;
    block.clear();
    blockUsed = 0;
  }

  static std::size_t Read(void* ptr, std::size_t size, std::size_t count, void* source) {
    Stream* s = static_cast<Stream*>(source);
    if (size == 0) return 0;
    const std::size_t items = std::min(count, (s->data.size() - s->pos) / size);
    if (items == 0) return 0;  // also for no data at all, where there is nothing to copy from
    std::memcpy(ptr, s->data.data() + s->pos, items * size);
    s->pos += items * size;
    return items;
  }

  static int Seek(void* source, ogg_int64_t offset, int whence) {
    Stream* s = static_cast<Stream*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(s->pos);
    else if (whence == SEEK_END) base = static_cast<ogg_int64_t>(s->data.size());
    else if (whence != SEEK_SET) return -1;
    if (offset > static_cast<ogg_int64_t>(s->data.size()) || offset < -static_cast<ogg_int64_t>(s->data.size()))
      return -1;
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(s->data.size())) return -1;
    s->pos = static_cast<std::size_t>(target);
    return 0;
  }

  static long Tell(void* source) { return static_cast<long>(static_cast<Stream*>(source)->pos); }
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
  if (!initialised) return nullptr;
  auto stream = std::make_unique<Stream>();
  stream->data = std::move(data);
  const ov_callbacks callbacks = {&Stream::Read, &Stream::Seek, nullptr, &Stream::Tell};
  const int opened = ov_open_callbacks(stream.get(), &stream->file, nullptr, 0, callbacks);
  if (opened != 0) {
    ReportCause(std::string(name) + ": " + VorbisError(opened));
    return nullptr;
  }
  stream->fileOpen = true;
  const long links = ov_streams(&stream->file);
  for (long link = 0; link < links; ++link) {
    const vorbis_info* info = ov_info(&stream->file, static_cast<int>(link));
    if (!info || info->rate < kMinRate || info->rate > kMaxRate || info->channels < 1 ||
        info->channels > kMaxChannels) {
      ReportCause(std::string(name) + ": " +
                  (info ? std::to_string(info->channels) + " channels at " + std::to_string(info->rate) + " Hz"
                        : std::string("a link without stream information")) +
                  " cannot be played");
      return nullptr;
    }
  }
  if (links < 1) return nullptr;
  streams.push_back(std::move(stream));
  return streams.back().get();
}

int SoundLayer::StreamPlay(Stream* stream) {
  if (!initialised || !stream) return -1;
  out->Lock();
  // Back to the first sample (of the first link: a fresh open of a chained file
  // stands at the last), done while the pull is kept out. A raw seek to byte 0
  // gives the same samples as ov_pcm_seek to 0, which can leave a damaged
  // stream in a state that makes libogg's next read copy a negative length.
  const bool rewound = ov_raw_seek(&stream->file, 0) == 0;
  const bool wasPaused = channel.paused;
  if (rewound) {
    stream->Reset();
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
  out->Lock();
  const int volume = channel.stream ? channel.volume : 0;
  out->Unlock();
  return volume;
}

void SoundLayer::SetVolume(int number, int volume) {
  if (!initialised || number != 0) return;
  out->Lock();
  if (channel.stream) channel.volume = std::clamp(volume, 0, kMaxVolume);
  out->Unlock();
}

void SoundLayer::StopSound(int number) {
  if (!initialised || number != 0) return;
  out->Lock();
  channel.stream = nullptr;
  channel.playing = false;
  channel.paused = false;
  out->Unlock();
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

// Runs on the audio thread with the device lock held.
void SoundLayer::Mix(std::int16_t* frames, int frameCount) {
  int done = 0;
  if (channel.stream && channel.playing && !channel.paused) {
    done = Decode(*channel.stream, frames, frameCount);
    if (done < frameCount) channel.playing = false;  // the tune is over
    if (channel.volume != kMaxVolume) {
      for (int i = 0; i < done * 2; ++i) frames[i] = static_cast<std::int16_t>(frames[i] * channel.volume / kMaxVolume);
    }
  }
  std::fill(frames + done * 2, frames + frameCount * 2, std::int16_t{0});
}

// Decodes the next packet's samples into the stream's block as stereo frames.
// False at the end of the stream or on a decoding error.
bool SoundLayer::DecodeBlock(Stream& s, int& holes) {
  for (;;) {
    int link = 0;
    const long got = ov_read(&s.file, reinterpret_cast<char*>(s.raw.data()), kBlockBytes, 0, 2, 1, &link);
    if (got == OV_HOLE && ++holes <= kMaxHolesPerPull) continue;
    if (got <= 0) return false;
    const vorbis_info* info = ov_info(&s.file, link);
    if (!info || info->channels < 1 || info->channels > kMaxChannels || info->rate < kMinRate ||
        info->rate > kMaxRate)
      return false;
    const int channels = info->channels;
    const std::size_t frames = static_cast<std::size_t>(got) / (2 * static_cast<std::size_t>(channels));
    const std::int16_t* in = reinterpret_cast<const std::int16_t*>(s.raw.data());
    s.block.resize(frames * 2);
    s.blockUsed = 0;
    s.blockRate = info->rate;
    if (channels <= 2) {
      for (std::size_t i = 0; i < frames; ++i) {
        s.block[2 * i] = in[i * channels];
        s.block[2 * i + 1] = in[i * channels + channels - 1];
      }
    } else {
      const DownMix& mix = kDownMix[channels];
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
        s.block[2 * i] = static_cast<std::int16_t>(std::clamp(std::lround(left / leftSum), -32768L, 32767L));
        s.block[2 * i + 1] = static_cast<std::int16_t>(std::clamp(std::lround(right / rightSum), -32768L, 32767L));
      }
    }
    if (frames > 0) return true;
  }
}

// Fills up to `frameCount` stereo frames at the mixing rate; fewer only at
// the end of the stream or on a decoding error. Blocks at the mixing rate are
// copied as they are; others go through the converter, which is drained
// before a block at another rate follows.
int SoundLayer::Decode(Stream& s, std::int16_t* frames, int frameCount) {
  int done = 0;
  int holes = 0;
  while (done < frameCount) {
    if (s.converter) {
      done += s.converter->Get(frames + done * 2, frameCount - done);
      if (done == frameCount) break;
      if (s.draining) {  // all it held is out
        s.converter.reset();
        s.draining = false;
      }
    }
    const std::size_t left = s.block.size() / 2 - s.blockUsed;
    if (left > 0) {
      if (s.converter && s.converterRate != s.blockRate) {
        s.converter->Flush();
        s.draining = true;
        continue;
      }
      if (!s.converter && s.blockRate == mixRate) {
        const std::size_t n = std::min(left, static_cast<std::size_t>(frameCount - done));
        std::copy_n(s.block.begin() + static_cast<std::ptrdiff_t>(s.blockUsed * 2), n * 2, frames + done * 2);
        s.blockUsed += n;
        done += static_cast<int>(n);
        continue;
      }
      if (!s.converter) {
        s.converter = out->NewConverter(static_cast<int>(s.blockRate), mixRate);
        if (!s.converter) break;
        s.converterRate = s.blockRate;
      }
      if (!s.converter->Put(s.block.data() + s.blockUsed * 2, static_cast<int>(left))) break;
      s.blockUsed = s.block.size() / 2;
      continue;
    }
    if (!DecodeBlock(s, holes)) {
      if (s.converter && !s.draining) {
        s.converter->Flush();
        s.draining = true;
        continue;
      }
      break;
    }
  }
  return done;
}
