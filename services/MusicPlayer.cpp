#include "services/MusicPlayer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "services/DataFolder.h"

MusicPlayer::MusicPlayer(AudioOut* device) : sound(device) {}

MusicPlayer::~MusicPlayer() { Close(); }

bool MusicPlayer::Open(const char* path) {
  channel = 0;
  if (!sound.Init(kMixRate)) return false;
  stream = path ? sound.StreamOpenFile(DataPath(path).c_str()) : nullptr;
  return stream != nullptr;
}

// The stream plays on channel 0, the only one of the layer; the number that
// StreamPlay returns is not needed.
void MusicPlayer::Play() { sound.StreamPlay(stream); }

void MusicPlayer::Pause() { sound.SetPaused(channel, true); }

void MusicPlayer::Resume() { sound.SetPaused(channel, false); }

void MusicPlayer::ChangeVolume(bool up, int step) {
  // Summed wide so that no step overflows an int; the layer clamps to its scale.
  const std::int64_t delta = up ? std::int64_t{step} : -std::int64_t{step};
  const std::int64_t sum = sound.GetVolume(channel) + delta;
  sound.SetVolume(channel, static_cast<int>(std::clamp<std::int64_t>(sum, INT_MIN, INT_MAX)));
}

void MusicPlayer::Close() {
  sound.StopSound(channel);
  sound.Close();
  stream = nullptr;  // freed by the layer
}
