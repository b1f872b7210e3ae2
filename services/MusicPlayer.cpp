#include "services/MusicPlayer.h"

#include "platform/Platform.h"

MusicPlayer::MusicPlayer(AudioOut* device) : device(device) {}
MusicPlayer::~MusicPlayer() { Close(); }
bool MusicPlayer::Open(const char*) { return false; }
void MusicPlayer::Play() {}
void MusicPlayer::Pause() {}
void MusicPlayer::Resume() {}
void MusicPlayer::ChangeVolume(bool, int) {}
void MusicPlayer::Close() {}
