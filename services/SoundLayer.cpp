#include "services/SoundLayer.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/Platform.h"

namespace {

// A bigger file is no soundtrack; refusing it keeps a wrong path from
// swallowing the memory.
constexpr long kMaxFileBytes = 256L * 1024 * 1024;

// Corrupt pages make libvorbisfile report holes; this many in one pull and
// the stream counts as ended.
constexpr int kMaxHolesPerPull = 64;

}  // namespace

struct SoundLayer::Stream {
  std::vector<unsigned char> data;  // the whole file
  std::size_t pos = 0;              // read position of the decoder in `data`
  OggVorbis_File file{};
  bool fileOpen = false;
  int channels = 0;  // 1 or 2

  ~Stream() {
    if (fileOpen) ov_clear(&file);
  }

  static std::size_t Read(void* ptr, std::size_t size, std::size_t count, void* source) {
    Stream* s = static_cast<Stream*>(source);
    if (size == 0) return 0;
    const std::size_t items = std::min(count, (s->data.size() - s->pos) / size);
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
  if (!f) return nullptr;
  auto stream = std::make_unique<Stream>();
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(f) : -1;
  ok = ok && size > 0 && size <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    stream->data.resize(static_cast<std::size_t>(size));
    ok = std::fread(stream->data.data(), 1, stream->data.size(), f) == stream->data.size();
  }
  std::fclose(f);
  if (!ok) return nullptr;

  const ov_callbacks callbacks = {&Stream::Read, &Stream::Seek, nullptr, &Stream::Tell};
  if (ov_open_callbacks(stream.get(), &stream->file, nullptr, 0, callbacks) != 0) return nullptr;
  stream->fileOpen = true;
  // Every link of a chained file must match the first one, and the mixing rate.
  const long links = ov_streams(&stream->file);
  for (long link = 0; link < links; ++link) {
    const vorbis_info* info = ov_info(&stream->file, static_cast<int>(link));
    if (!info || info->rate != mixRate || info->channels < 1 || info->channels > 2) return nullptr;
    if (link == 0) stream->channels = info->channels;
    if (info->channels != stream->channels) return nullptr;
  }
  if (links < 1) return nullptr;
  streams.push_back(std::move(stream));
  return streams.back().get();
}

int SoundLayer::StreamPlay(Stream* stream) {
  if (!initialised || !stream) return -1;
  out->Lock();
  // Back to the first sample: an exact seek, done while the pull is kept out.
  const bool rewound = ov_pcm_seek(&stream->file, 0) == 0 || ov_raw_seek(&stream->file, 0) == 0;
  if (rewound) {
    channel.stream = stream;
    channel.playing = true;
    channel.paused = false;
  }
  out->Unlock();
  if (!rewound) return -1;
  if (!started) {
    out->Start();
    started = true;
  }
  return 0;
}

void SoundLayer::SetPaused(int number, bool paused) {
  if (!initialised || number != 0) return;
  out->Lock();
  if (channel.stream) channel.paused = paused;
  out->Unlock();
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

// Decodes up to `frameCount` stereo frames; fewer only at the end of the
// stream or on a decoding error.
int SoundLayer::Decode(Stream& stream, std::int16_t* frames, int frameCount) {
  int done = 0;
  int holes = 0;
  while (done < frameCount) {
    std::int16_t* target = frames + done * 2;
    // Mono samples land in the first half of the free space and are spread
    // to both sides below.
    const int bytesWanted = (frameCount - done) * stream.channels * 2;
    int link = 0;
    const long got = ov_read(&stream.file, reinterpret_cast<char*>(target), bytesWanted, 0, 2, 1, &link);
    if (got == OV_HOLE && ++holes <= kMaxHolesPerPull) continue;
    if (got <= 0) break;
    const int n = static_cast<int>(got / (2 * stream.channels));
    if (stream.channels == 1) {
      for (int i = n - 1; i >= 0; --i) {
        const std::int16_t s = target[i];
        target[2 * i] = s;
        target[2 * i + 1] = s;
      }
    }
    done += n;
  }
  return done;
}
