#pragma once

class AudioOut;

// Streams the soundtrack (Ogg Vorbis) to the audio device. Every call on a
// player that holds no tune does nothing.
class MusicPlayer {
 public:
  explicit MusicPlayer(AudioOut* device);
  ~MusicPlayer();  // Close()
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  bool Open(const char* path);  // opens the device and the file; does not start playing
  void Play();                  // from the beginning, also while playing or paused
  void Pause();
  void Resume();
  void ChangeVolume(bool up, int step);  // the sum is not clamped here
  void Close();

 private:
  AudioOut* device;
  bool opened = false;
};
