// SoundLayer for the web build until the browser has an audio output: no
// device, so Init fails, the player reports it and the demo plays silent.
// Every other call then finds nothing to act on, as the layer's contract says.
#include "services/SoundLayer.h"

struct SoundLayer::Stream {};

SoundLayer::SoundLayer(AudioOut* out) : out(out) {}
SoundLayer::~SoundLayer() { Close(); }
bool SoundLayer::Init(int rate) {
  (void)rate;
  return false;
}
SoundLayer::Stream* SoundLayer::StreamOpenFile(const char*) { return nullptr; }
SoundLayer::Stream* SoundLayer::StreamOpenMemory(std::vector<unsigned char>, const char*) { return nullptr; }
int SoundLayer::StreamPlay(Stream*) { return -1; }
void SoundLayer::SetPaused(int, bool) {}
int SoundLayer::GetVolume(int) { return 0; }
void SoundLayer::SetVolume(int, int) {}
void SoundLayer::StopSound(int) {}
void SoundLayer::Close() { initialised = false; }
