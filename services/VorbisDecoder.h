#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The one Ogg Vorbis decoder of the demo, which the player and the video
// capture both pull from: a file's bytes held in memory, every link of a
// chained file in turn, each piece of sound down-mixed to 16-bit stereo at the
// rate of its link. Where the rate has to change, the one who plays converts
// (the audio device, or the capture's resampler).
//
// The native build decodes with libvorbisfile (VorbisDecoder.cpp); another
// build may bring its own decoder in a file of its own. What every decoder
// shares — reading the file, the down-mix, seeking to a demo time — is in
// VorbisDecoderCommon.cpp.
class VorbisDecoder {
 public:
  static constexpr int kMaxChannels = 8;
  // Rates outside these are no sound anyone made; no converter is asked to
  // stretch them.
  static constexpr long kMinRate = 1000;
  static constexpr long kMaxRate = 384000;

  VorbisDecoder();
  ~VorbisDecoder();
  VorbisDecoder(const VorbisDecoder&) = delete;
  VorbisDecoder& operator=(const VorbisDecoder&) = delete;

  // Reads the whole file and opens it. False with `error` ("path: why") when it
  // is missing, empty, too large or not a playable Ogg Vorbis file.
  bool OpenFile(const std::string& path, std::string& error);
  // Opens a file's bytes; `name` names it in `error`. Every link must have 1 to
  // 8 channels at kMinRate..kMaxRate. Rewind or Seek before the first Next: a
  // freshly opened chained file stands at its last link.
  bool Open(std::vector<unsigned char> data, const std::string& name, std::string& error);

  int Rate() const;      // of the first link
  int Channels() const;  // of the first link, as coded (before the down-mix)

  // Back to the first sample of the first link; false when the stream cannot.
  bool Rewind();
  // Rewinds and passes over the first `ms` of sound, link by link at each
  // link's own rate; past the end the stream has ended.
  bool Seek(std::int64_t ms);

  // The next piece of sound as interleaved stereo frames at `rate`; false at
  // the end of the stream or where it cannot be decoded any further.
  bool Next(std::vector<std::int16_t>& stereo, int& rate);

 private:
  // The decoder's own part. OpenStream takes the bytes and gives the number
  // of links, or 0 with `why`; LinkFormat gives a link's format, false for a
  // link without stream information; CloseStream drops the stream. Decode
  // gives the next packet's samples as it decoded them, interleaved,
  // `channels` per frame, valid until the next call.
  int OpenStream(std::vector<unsigned char> data, std::string& why);
  bool LinkFormat(int link, long& rate, int& channels) const;
  void CloseStream();
  bool Decode(const std::int16_t*& samples, std::size_t& frames, int& channels, int& rate);
  bool RewindStream();

  struct Impl;
  std::unique_ptr<Impl> impl;
  int firstRate = 0, firstChannels = 0;  // of the open stream's first link
  std::vector<std::int16_t> pending;  // what a seek left of its last piece
  int pendingRate = 0;
};

// Down-mixes `frames` interleaved frames of `channels` (1 to 8, in Vorbis
// channel order) into interleaved stereo: mono to both sides, fronts to their
// side, centre and surrounds at -3 dB, a rear centre at -6 dB to both, LFE
// left out; each side is scaled so its gains sum to 1, so a full-scale tone on
// every channel stays full scale. Stereo and mono are copied as they are.
void DownMixToStereo(const std::int16_t* in, int channels, std::size_t frames, std::int16_t* out);
