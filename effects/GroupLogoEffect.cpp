#include "effects/GroupLogoEffect.h"
#include "effects/PictureQuad.h"

#include <GL/gl.h>

#include "services/TextureBank.h"

void GroupLogoEffect::Init() {
  textures->entries[Slot::vqLogo]->Load();
  textures->entries[Slot::vantelquorix]->Load();
  textures->entries[Slot::vantelquorix_arabic]->Load();
}

bool GroupLogoEffect::Render(int now, int start) {
  elapsed = now - start;
  BeginCaptionScene();
  DrawOpaquePicture(textures->entries[Slot::vqLogo], 1.0f, 1.0f);
  // The group's name in both scripts below the logo.
  glTranslatef(0.0f, -0.8f, 0.0f);
  DrawCaptionCrossFade(textures->entries[Slot::vantelquorix], textures->entries[Slot::vantelquorix_arabic], elapsed);
  EndPictures();
  return true;
}
