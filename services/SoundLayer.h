#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class AudioOut;

// Our small sound library: one output device that pulls 16-bit stereo PCM,
// Ogg Vorbis streams decoded from memory (services/VorbisDecoder), and one channel
// (number 0) with pause and an integer volume of 0 to 255.
//
// Decoding happens in the device's pull, on the audio thread, from a file that
// was read into memory when it was opened: a stalled main loop never starves
// the device. Every call that touches what the pull reads holds the device
// lock. Calls on a layer that is not initialised, on a null stream or on a
// channel without a stream do nothing.
//
// Any Ogg Vorbis stream plays: mono goes to both sides, three to eight
// channels are down-mixed to stereo, and other rates are converted to the
// mixing rate with the device's own converter; the links of a chained file may differ
// in both. A stereo or mono link at the mixing rate is played exactly as
// decoded.
class SoundLayer {
 public:
  struct Stream;  // an opened Ogg Vorbis file

  static constexpr int kMaxVolume = 255;

  explicit SoundLayer(AudioOut* out);
  ~SoundLayer();  // Close()
  SoundLayer(const SoundLayer&) = delete;
  SoundLayer& operator=(const SoundLayer&) = delete;

  // Opens the output device at `mixRate` frames per second; it stays silent
  // until a stream plays. False without a device or when it cannot be opened.
  bool Init(int mixRate);

  // Reads the whole file and checks that it can be played; does not start it.
  // Null when the layer is not initialised or the file is missing or unplayable.
  // The layer owns the stream until Close.
  Stream* StreamOpenFile(const char* path);
  // The same for a file's bytes already in memory; `name` names it in messages.
  Stream* StreamOpenMemory(std::vector<unsigned char> data, const char* name);

  // Starts the stream from its first sample on channel 0 (also when it is
  // playing or paused there) and returns 0; -1 when there is nothing to play.
  // The channel keeps its volume; a paused channel is unpaused.
  int StreamPlay(Stream* stream);

  void SetPaused(int channel, bool paused);  // keeps the position
  int GetVolume(int channel);                // 0 for a channel without a stream
  void SetVolume(int channel, int volume);   // clamped to 0..255
  void StopSound(int channel);               // the channel falls silent and lets go of its stream
  void Close();                              // closes the device and frees every stream

  bool Initialised() const { return initialised; }

 private:
  struct Channel {
    Stream* stream = nullptr;
    bool playing = false;  // false once the stream has ended
    bool paused = false;
    int volume = kMaxVolume;
  };

  static void Pull(void* user, std::int16_t* frames, int frameCount);
  void Mix(std::int16_t* frames, int frameCount);
  int Decode(Stream& stream, std::int16_t* frames, int frameCount);

  AudioOut* out;
  bool initialised = false;
  bool started = false;  // the device runs from the first StreamPlay on
  int mixRate = 0;
  Channel channel;
  std::vector<std::unique_ptr<Stream>> streams;
};
