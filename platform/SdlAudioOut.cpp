#include "platform/SdlAudioOut.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

bool SdlAudioOut::Open(int rate, Pull pullFn, void* userData) {
  Close();
  if (!pullFn || rate <= 0) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "lumivane: cannot open the audio device: %s\n", SDL_GetError());
    return false;
  }
  pull = pullFn;
  user = userData;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = &SdlAudioOut::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware takes, so the
  // callback always sees the format asked for.
  device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    const char* driver = SDL_GetCurrentAudioDriver();
    std::fprintf(stderr, "lumivane: cannot open the audio device (driver %s): %s\n", driver ? driver : "none",
                 SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    pull = nullptr;
    user = nullptr;
    return false;
  }
  bufferFrames = have.samples;
  return true;  // SDL opens devices paused
}

void SdlAudioOut::Start() {
  if (device) SDL_PauseAudioDevice(device, 0);
}

void SdlAudioOut::Lock() {
  if (device) SDL_LockAudioDevice(device);
}

void SdlAudioOut::Unlock() {
  if (device) SDL_UnlockAudioDevice(device);
}

void SdlAudioOut::Close() {
  if (!device) return;
  SDL_CloseAudioDevice(device);  // waits for the audio thread to end
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device = 0;
  pull = nullptr;
  user = nullptr;
  bufferFrames = 0;
}

void SDLCALL SdlAudioOut::Callback(void* self, Uint8* stream, int len) {
  SdlAudioOut* out = static_cast<SdlAudioOut*>(self);
  const int frames = len / static_cast<int>(2 * sizeof(std::int16_t));
  if (out->pull && frames > 0) out->pull(out->user, reinterpret_cast<std::int16_t*>(stream), frames);
  const int used = frames * static_cast<int>(2 * sizeof(std::int16_t));
  if (used < len) std::memset(stream + used, 0, static_cast<std::size_t>(len - used));
}

SdlRateConverter::SdlRateConverter(int fromRate, int toRate)
    : stream(SDL_NewAudioStream(AUDIO_S16SYS, 2, fromRate, AUDIO_S16SYS, 2, toRate)) {}

SdlRateConverter::~SdlRateConverter() {
  if (stream) SDL_FreeAudioStream(stream);
}

bool SdlRateConverter::Put(const std::int16_t* frames, int frameCount) {
  return SDL_AudioStreamPut(stream, frames, frameCount * 4) == 0;
}

int SdlRateConverter::Get(std::int16_t* frames, int frameCount) {
  const int got = SDL_AudioStreamGet(stream, frames, frameCount * 4);
  return got > 0 ? got / 4 : 0;
}

void SdlRateConverter::Flush() { SDL_AudioStreamFlush(stream); }

std::unique_ptr<RateConverter> SdlRateConverter::Make(int fromRate, int toRate) {
  auto converter = std::make_unique<SdlRateConverter>(fromRate, toRate);
  if (!converter->Valid()) return nullptr;
  return converter;
}
