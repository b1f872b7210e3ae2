#include "tools/render/Soundtrack.h"

#include <vorbis/vorbisfile.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

namespace {
constexpr int kPiece = 4096;  // sample frames decoded at a time
}  // namespace

struct Soundtrack::File {
  OggVorbis_File vorbis{};
  bool open = false;
  bool ended = false;  // the rest is silence
  ~File() {
    if (open) ov_clear(&vorbis);
  }
};

Soundtrack::Soundtrack() : file(new File) {}

Soundtrack::~Soundtrack() {
  swr_free(&resampler);
  delete file;
}

bool Soundtrack::Open(const std::string& path, int fromMs, std::string& error) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = "cannot open '" + path + "': " + std::strerror(errno);
    return false;
  }
  if (ov_open(f, &file->vorbis, nullptr, 0) != 0) {  // on success the file belongs to libvorbisfile
    std::fclose(f);
    error = "'" + path + "' is no Ogg Vorbis file";
    return false;
  }
  file->open = true;
  const vorbis_info* info = ov_info(&file->vorbis, -1);
  if (!info || info->channels < 1 || info->rate < 1) {
    error = "'" + path + "' has no usable Vorbis stream";
    return false;
  }
  inRate = static_cast<int>(info->rate);
  inChannels = info->channels;
  outChannels = inChannels >= 2 ? 2 : 1;
  const ogg_int64_t first = std::llround(static_cast<double>(fromMs) * inRate / 1000.0);
  const ogg_int64_t total = ov_pcm_total(&file->vorbis, -1);
  if (total >= 0 && first >= total) {
    file->ended = true;
  } else if (ov_pcm_seek(&file->vorbis, first) != 0) {
    error = "cannot find " + std::to_string(fromMs) + " ms in '" + path + "'";
    return false;
  }
  return true;
}

bool Soundtrack::SetRate(int rate, std::string& error) {
  AVChannelLayout in, out;
  av_channel_layout_default(&in, inChannels);
  av_channel_layout_default(&out, outChannels);
  swr_free(&resampler);
  int rc = swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_FLT, rate, &in, AV_SAMPLE_FMT_FLTP, inRate, 0,
                               nullptr);
  if (rc >= 0) rc = swr_init(resampler);
  av_channel_layout_uninit(&in);
  av_channel_layout_uninit(&out);
  if (rc < 0) {
    error = "cannot convert the sound from " + std::to_string(inRate) + " to " + std::to_string(rate) + " Hz";
    return false;
  }
  outRate = rate;
  return true;
}

bool Soundtrack::Pull() {
  float** planes = nullptr;
  std::vector<float> silence;
  std::vector<float*> silentPlanes;
  long got = 0;
  // Holes from damaged pages are skipped; a file that only gives holes has ended.
  for (int tries = 0; !file->ended && got <= 0 && tries < 64; ++tries) {
    int link = 0;
    got = ov_read_float(&file->vorbis, &planes, kPiece, &link);
    if (got == 0) file->ended = true;
  }
  if (got <= 0) {
    file->ended = true;
    silence.assign(kPiece, 0.0f);
    silentPlanes.assign(inChannels, silence.data());
    planes = silentPlanes.data();
    got = kPiece;
  }
  const int room = swr_get_out_samples(resampler, static_cast<int>(got));
  if (room < 0) return false;
  const std::size_t kept = ready.size() - readyPos;
  ready.erase(ready.begin(), ready.begin() + static_cast<std::ptrdiff_t>(readyPos));
  readyPos = 0;
  ready.resize(kept + static_cast<std::size_t>(room) * outChannels);
  uint8_t* outPtr = reinterpret_cast<uint8_t*>(ready.data() + kept);
  const int made = swr_convert(resampler, &outPtr, room, const_cast<const uint8_t**>(reinterpret_cast<uint8_t**>(planes)),
                               static_cast<int>(got));
  ready.resize(kept + static_cast<std::size_t>(made > 0 ? made : 0) * outChannels);
  return made >= 0;
}

void Soundtrack::Read(int frames, std::vector<float>& out) {
  const std::size_t want = static_cast<std::size_t>(frames) * outChannels;
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
