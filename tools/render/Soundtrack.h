#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SwrContext;

// The demo's tune for a capture: decoded with libvorbisfile from a demo time
// on and resampled by libswresample to the rate the sound track needs. Past
// the end of the file comes silence.
class Soundtrack {
 public:
  Soundtrack();
  Soundtrack(const Soundtrack&) = delete;
  Soundtrack& operator=(const Soundtrack&) = delete;
  ~Soundtrack();

  // Opens the Ogg Vorbis file and places the read position at `fromMs`.
  // False with `error` set when it is missing or not Vorbis.
  bool Open(const std::string& path, int fromMs, std::string& error);

  int Channels() const { return outChannels; }  // 1 or 2 (more are mixed down to 2)
  int SourceRate() const { return inRate; }     // samples per second in the file

  // Converts from now on to `rate` samples per second.
  bool SetRate(int rate, std::string& error);

  // Appends the next `frames` interleaved sample frames to `out`.
  void Read(int frames, std::vector<float>& out);

 private:
  bool Pull();  // decodes the next piece of the file (or silence) into `ready`

  struct File;
  File* file;
  SwrContext* resampler = nullptr;
  int inRate = 0, inChannels = 0, outChannels = 0, outRate = 0;
  std::vector<float> ready;  // converted samples not yet read
  std::size_t readyPos = 0;  // floats of `ready` already read
};
