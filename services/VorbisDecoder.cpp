// The Ogg Vorbis decoder with libvorbisfile, reading from the file's bytes in memory.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "services/VorbisDecoder.h"

namespace {

// Corrupt pages make libvorbisfile report holes; this many in one piece and
// the stream counts as ended.
constexpr int kMaxHoles = 64;

constexpr int kBlockBytes = 4096 * VorbisDecoder::kMaxChannels * 2;  // one ov_read at most

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

bool Playable(const vorbis_info* info) {
  return info && info->rate >= VorbisDecoder::kMinRate && info->rate <= VorbisDecoder::kMaxRate &&
         info->channels >= 1 && info->channels <= VorbisDecoder::kMaxChannels;
}

}  // namespace

struct VorbisDecoder::Impl {
  std::vector<unsigned char> data;  // the whole file
  std::size_t pos = 0;              // read position of the decoder in `data`
  OggVorbis_File file{};
  bool open = false;
  std::vector<unsigned char> raw = std::vector<unsigned char>(kBlockBytes);

  ~Impl() {
    if (open) ov_clear(&file);
  }

  static std::size_t Read(void* ptr, std::size_t size, std::size_t count, void* source) {
    Impl* s = static_cast<Impl*>(source);
    if (size == 0) return 0;
    const std::size_t items = std::min(count, (s->data.size() - s->pos) / size);
    if (items == 0) return 0;  // also for no data at all, where there is nothing to copy from
    std::memcpy(ptr, s->data.data() + s->pos, items * size);
    s->pos += items * size;
    return items;
  }

  static int Seek(void* source, ogg_int64_t offset, int whence) {
    Impl* s = static_cast<Impl*>(source);
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

  static long Tell(void* source) { return static_cast<long>(static_cast<Impl*>(source)->pos); }
};

VorbisDecoder::VorbisDecoder() = default;
VorbisDecoder::~VorbisDecoder() = default;

int VorbisDecoder::OpenStream(std::vector<unsigned char> data, std::string& why) {
  impl = std::make_unique<Impl>();
  impl->data = std::move(data);
  const ov_callbacks callbacks = {&Impl::Read, &Impl::Seek, nullptr, &Impl::Tell};
  const int opened = ov_open_callbacks(impl.get(), &impl->file, nullptr, 0, callbacks);
  if (opened != 0) {
    why = VorbisError(opened);
    return 0;
  }
  impl->open = true;
  const long links = ov_streams(&impl->file);
  if (links < 1 || links > INT_MAX) {
    why = VorbisError(OV_EREAD);
    return 0;
  }
  return static_cast<int>(links);
}

bool VorbisDecoder::LinkFormat(int link, long& rate, int& channels) const {
  const vorbis_info* info = ov_info(&impl->file, link);
  if (!info) return false;
  rate = info->rate;
  channels = info->channels;
  return true;
}

void VorbisDecoder::CloseStream() { impl.reset(); }

// A raw seek to byte 0 gives the same samples as ov_pcm_seek to 0, which can
// leave a damaged stream in a state that makes libogg's next read copy a
// negative length.
bool VorbisDecoder::RewindStream() { return impl && ov_raw_seek(&impl->file, 0) == 0; }

bool VorbisDecoder::Decode(const std::int16_t*& samples, std::size_t& frames, int& channels, int& rate) {
  if (!impl) return false;
  for (int holes = 0;;) {
    int link = 0;
    const long got = ov_read(&impl->file, reinterpret_cast<char*>(impl->raw.data()), kBlockBytes, 0, 2, 1, &link);
    if (got == OV_HOLE && ++holes <= kMaxHoles) continue;
    if (got <= 0) return false;
    const vorbis_info* info = ov_info(&impl->file, link);
    if (!Playable(info)) return false;
    channels = info->channels;
    rate = static_cast<int>(info->rate);
    frames = static_cast<std::size_t>(got) / (2 * static_cast<std::size_t>(channels));
    samples = reinterpret_cast<const std::int16_t*>(impl->raw.data());
    return true;
  }
}
