#include "effects/GroupLogoEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include "services/TextureBank.h"

void GroupLogoEffect::Init() {
  textures->entries[Slot::vqLogo]->Load();
  textures->entries[Slot::vantelquorix]->Load();
  textures->entries[Slot::vantelquorix_arabic]->Load();
}

bool GroupLogoEffect::Render(int now, int start) {
  elapsed = now - start;
  const float x = static_cast<float>((now - start) / 1000.0);  // seconds into the window
  const float y = static_cast<float>(1 - x);

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -3.0f);

  DrawOpaquePicture(textures->entries[Slot::vqLogo], 1.0f, 1.0f);

  // Both names at the same place below the logo; the alphas leave [0, 1]
  // on purpose and OpenGL clamps them: Arabic alone, a cross-fade from 0.5 s
  // to 1.5 s, then Latin alone.
  glTranslatef(0.0f, -0.8f, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(x - 0.5));
  textures->entries[Slot::vantelquorix]->Bind();
  DrawPictureQuad(1.0f, 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(y + 0.5));
  textures->entries[Slot::vantelquorix_arabic]->Bind();
  DrawPictureQuad(1.0f, 1.0f);

  EndPictures();
  return true;
}
