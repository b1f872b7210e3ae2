#pragma once
// Test helpers for the music: writes short Ogg Vorbis tones with the data
// generator's encoder, and decodes a file with libvorbisfile the plain way, as
// the reference that the player's output is compared with.
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/datagen/Soundtrack.h"

namespace SineOgg {

// A sine of its own frequency on each channel (hz[c]), with amplitude
// `amplitude` of full scale and channel c `phaseStep` * c periods behind the
// first, appended to the file with `append` (a chained file: give each link its
// own `serial`). Returns false when the file cannot be written.
inline bool WriteTones(const std::string& path, long rate, const std::vector<double>& hz, double seconds,
                       double amplitude = 0.5, double phaseStep = 0, bool append = false, int serial = 1234) {
  const auto frames = static_cast<std::size_t>(seconds * static_cast<double>(rate));
  const double twoPi = 6.283185307179586;
  std::vector<std::vector<float>> planes(hz.size(), std::vector<float>(frames));
  std::vector<const float*> pointers;
  for (std::size_t c = 0; c < hz.size(); ++c) {
    for (std::size_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(i) / static_cast<double>(rate);
      planes[c][i] = static_cast<float>(amplitude * std::sin(twoPi * hz[c] * t - static_cast<double>(c) * phaseStep * twoPi));
    }
    pointers.push_back(planes[c].data());
  }
  return EncodeOggVorbis(pointers, frames, rate, path, 0.4f, serial, append);
}

// A sine of `hz` on every channel (each one a quarter period behind the one
// before, or all in step with `inPhase`); the rest as WriteTones.
inline bool Write(const std::string& path, long rate, int channels, double seconds, double hz = 441.0,
                  double amplitude = 0.5, bool inPhase = false, bool append = false, int serial = 1234) {
  return WriteTones(path, rate, std::vector<double>(static_cast<std::size_t>(channels), hz), seconds, amplitude,
                    inPhase ? 0.0 : 0.25, append, serial);
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

}  // namespace SineOgg
