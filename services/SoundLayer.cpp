#include "services/SoundLayer.h"

#include <algorithm>
#include <string>

#include "platform/Platform.h"
#include "platform/Report.h"
#include "services/VorbisDecoder.h"

struct SoundLayer::Stream {
  VorbisDecoder decoder;

  // The last decoded piece as stereo frames at `blockRate`; `blockUsed` of
  // them have been passed on.
  std::vector<std::int16_t> block;
  std::size_t blockUsed = 0;
  int blockRate = 0;

  // The device's converter for pieces at another rate than the mixing rate,
  // and the rate it takes. While `draining`, its last frames are taken out
  // before a piece at another rate (or the end) follows.
  std::unique_ptr<RateConverter> converter;
  int converterRate = 0;
  bool draining = false;

  void Reset() {
    converter.reset();
    converterRate = 0;
    draining = false;
    block.clear();
    blockUsed = 0;
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
  auto stream = std::make_unique<Stream>();
  std::string error;
  if (!stream->decoder.OpenFile(path, error)) {
    ReportCause(error);
    return nullptr;
  }
  streams.push_back(std::move(stream));
  return streams.back().get();
}

SoundLayer::Stream* SoundLayer::StreamOpenMemory(std::vector<unsigned char> data, const char* name) {
  if (!initialised) return nullptr;
  auto stream = std::make_unique<Stream>();
  std::string error;
  if (!stream->decoder.Open(std::move(data), name, error)) {
    ReportCause(error);
    return nullptr;
  }
  streams.push_back(std::move(stream));
  return streams.back().get();
}

int SoundLayer::StreamPlay(Stream* stream) {
  if (!initialised || !stream) return -1;
  out->Lock();
  // Back to the first sample of the first link, done while the pull is kept out.
  const bool rewound = stream->decoder.Rewind();
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

// Fills up to `frameCount` stereo frames at the mixing rate; fewer only at
// the end of the stream or on a decoding error. Blocks at the mixing rate are
// copied as they are; others go through the converter, which is drained
// before a block at another rate follows.
int SoundLayer::Decode(Stream& s, std::int16_t* frames, int frameCount) {
  int done = 0;
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
        s.converter = out->NewConverter(s.blockRate, mixRate);
        if (!s.converter) break;
        s.converterRate = s.blockRate;
      }
      if (!s.converter->Put(s.block.data() + s.blockUsed * 2, static_cast<int>(left))) break;
      s.blockUsed = s.block.size() / 2;
      continue;
    }
    s.blockUsed = 0;
    if (!s.decoder.Next(s.block, s.blockRate)) {
      s.block.clear();
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
