#include "effects/FlickeringLampEffect.h"

#include "services/TextureBank.h"

namespace {

const LampScene::Layout kLayout = {
    false,  // turnBackground
    40.0f,  // arcAngle
    Slot::lamp01,  // lamp
    -0.1f,  // lampX
    -15.5f,  // ringX
    4.0f,  // ringStepX
    Slot::lyrics_hereisalamp,  // lyric
    3.0f,  // lyricX
    -1.0f,  // lyricDrift
};

}  // namespace

void FlickeringLampEffect::Init() {
  textures->entries[Slot::lamp01]->Load();
  textures->entries[Slot::ring]->Load();
  textures->entries[Slot::circle01]->Load();
  textures->entries[Slot::lyrics_hereisalamp]->Load();
  textures->entries[Slot::background01]->Load();
  LampScene::FillLightCircles(lightCircles, 80);
  pi = 3.14159274f;
}

bool FlickeringLampEffect::Render(int now, int start) {
  elapsed = now - start;
  flickerScale = LampScene::Render(textures, elapsed, kLayout, lightCircles, pi);
  return true;
}
