#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "services/VorbisDecoder.h"

struct SwrContext;

// The demo's tune for a capture: decoded by the player's own decoder
// (services/VorbisDecoder: every link, down-mixed to stereo) from a demo time
// on, and resampled by libswresample to the rate the sound track needs. Past
// the end of the file comes silence. Not copied (the decoder is not).
class Soundtrack {
 public:
  ~Soundtrack();

  // Opens the Ogg Vorbis file and places the read position at `fromMs`.
  // False with `error` set when it is missing or not playable.
  bool Open(const std::string& path, int fromMs, std::string& error);

  static constexpr int Channels() { return 2; }     // always stereo
  int SourceRate() const { return decoder.Rate(); }  // samples per second of the first link

  // Converts from now on to `rate` samples per second.
  bool SetRate(int rate, std::string& error);

  // Appends the next `frames` interleaved sample frames to `out`.
  void Read(int frames, std::vector<float>& out);

 private:
  bool Pull();  // decodes the next piece of the file (or silence) into `ready`
  bool Convert(const std::int16_t* samples, int frames);
  bool Configure(int inRate);  // a resampler from `inRate` to `outRate`

  VorbisDecoder decoder;
  bool ended = false;        // the rest is silence
  SwrContext* resampler = nullptr;
  int inRate = 0, outRate = 0;
  std::vector<std::int16_t> piece;
  std::vector<float> ready;  // converted samples not yet read
  std::size_t readyPos = 0;  // floats of `ready` already read
};
