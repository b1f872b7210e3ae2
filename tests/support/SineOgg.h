#pragma once
// Test helpers for the music: writes a short Ogg Vorbis sine with libvorbisenc
// and decodes a file with libvorbisfile the plain way, as the reference that
// the player's output is compared with.
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace SineOgg {

// A sine of `hz` on every channel (each one a quarter period behind the one
// before, or all in step with `inPhase`), with amplitude `amplitude` of full
// scale, appended to the file with `append` (a chained file: give each link
// its own `serial`). Returns false when the file cannot be written.
inline bool Write(const std::string& path, long rate, int channels, double seconds, double hz = 441.0,
                  double amplitude = 0.5, bool inPhase = false, bool append = false, int serial = 1234) {
  std::FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!f) return false;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0) {
    vorbis_info_clear(&info);
    std::fclose(f);
    return false;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &headerComment);
  ogg_stream_packetin(&os, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) {
    std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f);
    std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f);
  }

  const long total = static_cast<long>(seconds * static_cast<double>(rate));
  const double twoPi = 6.283185307179586;
  long written = 0;
  bool eos = false;
  while (!eos) {
    const long chunk = std::min<long>(1024, total - written);
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(chunk));
      for (long i = 0; i < chunk; ++i) {
        const double t = static_cast<double>(written + i) / static_cast<double>(rate);
        for (int c = 0; c < channels; ++c)
          buffer[c][i] = static_cast<float>(amplitude * std::sin(twoPi * hz * t - (inPhase ? 0 : c) * twoPi / 4));
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(chunk));
      written += chunk;
    } else {
      vorbis_analysis_wrote(&dsp, 0);
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (!eos && ogg_stream_pageout(&os, &page) != 0) {
          std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f);
          std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return std::fclose(f) == 0;
}

// The file's samples as interleaved 16-bit stereo (a mono file on both sides).
inline std::vector<std::int16_t> DecodeStereo(const std::string& path) {
  std::vector<std::int16_t> out;
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) return out;
  const int channels = ov_info(&vf, -1)->channels;
  std::vector<std::int16_t> buffer(4096);
  int link = 0;
  for (;;) {
    const long got = ov_read(&vf, reinterpret_cast<char*>(buffer.data()), 8192, 0, 2, 1, &link);
    if (got == OV_HOLE) continue;
    if (got <= 0) break;
    const long n = got / 2;
    for (long i = 0; i < n; ++i) {
      out.push_back(buffer[static_cast<size_t>(i)]);
      if (channels == 1) out.push_back(buffer[static_cast<size_t>(i)]);
    }
  }
  ov_clear(&vf);
  return out;
}

// A fresh empty folder under the system's temporary folder.
inline std::string TempDir() {
  std::string pattern = "/tmp/lumivane-test-XXXXXX";
  if (!mkdtemp(pattern.data())) return "";
  return pattern;
}

}  // namespace SineOgg
