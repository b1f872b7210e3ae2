// The Ogg Vorbis decoder for the web build: the decoder's own part of
// services/VorbisDecoder.h with stb_vorbis (Debian's libstb-dev), since
// libvorbisfile has no WebAssembly build here. Reading, the down-mix and
// seeking are VorbisDecoderCommon.cpp's, as in the native build.
//
// stb_vorbis decodes one logical stream: a chained file plays its first link.
#include "services/VorbisDecoder.h"

#include <vector>

#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_NO_STDIO
#include <stb_vorbis.h>  // /usr/include/stb

namespace {

constexpr int kBlockFrames = 4096;

const char* VorbisError(int code) {
  switch (code) {
    case VORBIS_outofmem: return "out of memory";
    case VORBIS_unexpected_eof: return "cut short";
    case VORBIS_missing_capture_pattern: return "not an Ogg Vorbis file";
    case VORBIS_invalid_setup:
    case VORBIS_invalid_first_page:
    case VORBIS_invalid_stream_structure_version: return "broken Vorbis header";
    default: return "not a playable Ogg Vorbis file";
  }
}

}  // namespace

struct VorbisDecoder::Impl {
  std::vector<unsigned char> data;  // the whole file; the decoder reads it in place
  stb_vorbis* vorbis = nullptr;
  int rate = 0, channels = 0;
  std::vector<short> block = std::vector<short>(kBlockFrames * VorbisDecoder::kMaxChannels);

  ~Impl() {
    if (vorbis) stb_vorbis_close(vorbis);
  }
};

VorbisDecoder::VorbisDecoder() = default;
VorbisDecoder::~VorbisDecoder() = default;

int VorbisDecoder::OpenStream(std::vector<unsigned char> data, std::string& why) {
  impl = std::make_unique<Impl>();
  impl->data = std::move(data);
  int code = 0;
  impl->vorbis = impl->data.empty() || impl->data.size() > 0x7fffffff
                     ? nullptr
                     : stb_vorbis_open_memory(impl->data.data(), static_cast<int>(impl->data.size()), &code, nullptr);
  if (!impl->vorbis) {
    why = VorbisError(code);
    return 0;
  }
  const stb_vorbis_info info = stb_vorbis_get_info(impl->vorbis);
  impl->rate = static_cast<int>(info.sample_rate);
  impl->channels = info.channels;
  return 1;
}

bool VorbisDecoder::LinkFormat(int, long& rate, int& channels) const {
  rate = impl->rate;
  channels = impl->channels;
  return true;
}

void VorbisDecoder::CloseStream() { impl.reset(); }

bool VorbisDecoder::RewindStream() { return impl && stb_vorbis_seek_start(impl->vorbis) != 0; }

bool VorbisDecoder::Decode(const std::int16_t*& samples, std::size_t& frames, int& channels, int& rate) {
  if (!impl) return false;
  const int got = stb_vorbis_get_frame_short_interleaved(impl->vorbis, impl->channels, impl->block.data(),
                                                         static_cast<int>(impl->block.size()));
  if (got <= 0) return false;
  channels = impl->channels;
  rate = impl->rate;
  frames = static_cast<std::size_t>(got);
  samples = impl->block.data();
  return true;
}
