#include "effects/PresentsEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include "services/TextureBank.h"

void PresentsEffect::Init() {
  textures->entries[Slot::presents]->Load();
  textures->entries[Slot::presents_arabic]->Load();
}

bool PresentsEffect::Render(int now, int start) {
  elapsed = now - start;
  const float x = static_cast<float>((now - start) / 1000.0);  // seconds into the window
  const float y = static_cast<float>(1 - x);

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -3.0f);

  // Latin caption first, the Arabic one over it; alphas left unclamped
  // (OpenGL clamps them): Arabic alone, cross-fade from 0.5 s to 1.5 s, Latin alone.
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(x - 0.5));
  textures->entries[Slot::presents]->Bind();
  DrawPictureQuad(1.0f, 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(y + 0.5));
  textures->entries[Slot::presents_arabic]->Bind();
  DrawPictureQuad(1.0f, 1.0f);

  EndPictures();
  return true;
}
