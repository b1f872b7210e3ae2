#pragma once
#include "services/SoundLayer.h"

class AudioOut;

// Streams the soundtrack (Ogg Vorbis) through our sound layer. Every call on a
// player that holds no tune does nothing.
class MusicPlayer {
 public:
  explicit MusicPlayer(AudioOut* device);  // touches no device yet
  ~MusicPlayer();                          // Close()
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  bool Open(const char* path);  // sets up the sound at 44100 Hz, opens the file; does not start playing
  void Play();                  // from the beginning, also while playing or paused
  void Pause();
  void Resume();
  void ChangeVolume(bool up, int step);  // the sum is not clamped here; the layer keeps 0..255
  void Close();

  static constexpr int kMixRate = 44100;

  SoundLayer::Stream* stream = nullptr;  // the opened file
  int channel = 0;                        // the channel that pause, resume, volume and stop address

 private:
  SoundLayer sound;
};
