// Ogg Vorbis encoding of the synthesized soundtrack with libvorbisenc.
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Soundtrack.h"

namespace {

bool WritePage(FILE* file, const ogg_page& page) {
  return std::fwrite(page.header, 1, page.header_len, file) == static_cast<size_t>(page.header_len) &&
         std::fwrite(page.body, 1, page.body_len, file) == static_cast<size_t>(page.body_len);
}

class Encoder {
 public:
  Encoder(FILE* file, int channels, long rate, float quality, int serial) : file(file), channels(channels) {
    vorbis_info_init(&info);
    ready = vorbis_encode_init_vbr(&info, channels, rate, quality) == 0;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Lumivane");
    vorbis_comment_add_tag(&comment, "ARTIST", "Drevko");
    if (!ready) return;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_init(&stream, serial);
  }

  ~Encoder() {
    if (ready) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }

  bool WriteHeaders() {
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
      if (!WritePage(file, page)) return false;
    return true;
  }

  // Feeds frames [first, first + count); count 0 marks the end of the stream.
  bool Feed(const std::vector<const float*>& planes, size_t first, size_t count) {
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (int c = 0; c < channels; ++c) std::memcpy(buffer[c], planes[c] + first, count * sizeof(float));
    }
    vorbis_analysis_wrote(&dsp, static_cast<int>(count));
    return Drain();
  }

  bool ready = false;

 private:
  bool Drain() {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream, &page) != 0)
          if (!WritePage(file, page)) return false;
      }
    }
    return true;
  }

  FILE* file;
  int channels;
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
};

}  // namespace

bool EncodeOggVorbis(const std::vector<const float*>& planes, size_t frames, long rate, const std::string& path,
                     float quality, int serial, bool append) {
  FILE* file = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!file) return false;
  bool ok;
  {
    Encoder encoder(file, static_cast<int>(planes.size()), rate, quality, serial);
    ok = encoder.ready && encoder.WriteHeaders();
    const size_t chunk = 4096;
    for (size_t first = 0; ok && first < frames; first += chunk)
      ok = encoder.Feed(planes, first, std::min(chunk, frames - first));
    ok = ok && encoder.Feed(planes, 0, 0);
  }
  return std::fclose(file) == 0 && ok;
}

bool EncodeOggVorbis(const StereoSound& sound, const std::string& path, float quality) {
  return EncodeOggVorbis({sound.left.data(), sound.right.data()}, sound.Frames(), kSampleRate, path, quality);
}

double DecodedPeak(const std::string& path) {
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) return -1.0;
  double peak = 0.0;
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    const long frames = ov_read_float(&file, &pcm, 4096, &section);
    if (frames <= 0) break;
    const int channels = ov_info(&file, -1)->channels;
    for (int c = 0; c < channels; ++c)
      for (long i = 0; i < frames; ++i) peak = std::max(peak, static_cast<double>(std::fabs(pcm[c][i])));
  }
  ov_clear(&file);
  return peak;
}
