#include "effects/WishingLampEffect.h"

#include "services/TextureBank.h"

namespace {

const LampScene::Layout kLayout = {
    true,  // turnBackground
    60.0f,  // arcAngle
    Slot::lamp02,  // lamp
    -0.2f,  // lampX
    15.5f,  // ringX
    -4.0f,  // ringStepX
    Slot::lyrics_whatisyourwish,  // lyric
    -2.0f,  // lyricX
    1.0f,  // lyricDrift
};

}  // namespace

void WishingLampEffect::Init() {
  textures->entries[Slot::lamp02]->Load();
  textures->entries[Slot::ring]->Load();
  textures->entries[Slot::lyrics_whatisyourwish]->Load();
  textures->entries[Slot::background01]->Load();
  LampScene::FillLightCircles(lightCircles, 80);
  pi = 3.14159274f;
}

bool WishingLampEffect::Render(int now, int start) {
  elapsed = now - start;
  flickerScale = LampScene::Render(textures, elapsed, kLayout, lightCircles, pi);
  return true;
}
