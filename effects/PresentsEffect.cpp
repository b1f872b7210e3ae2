#include "effects/PresentsEffect.h"
#include "effects/PictureQuad.h"

#include "services/TextureBank.h"

void PresentsEffect::Init() {
  textures->entries[Slot::presents]->Load();
  textures->entries[Slot::presents_arabic]->Load();
}

bool PresentsEffect::Render(int now, int start) {
  elapsed = now - start;
  BeginCaptionScene();
  DrawCaptionCrossFade(textures->entries[Slot::presents], textures->entries[Slot::presents_arabic], elapsed);
  EndPictures();
  return true;
}
