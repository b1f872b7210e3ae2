#include "effects/ClosingCreditsEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/Random.h"
#include "services/TextureBank.h"

void ClosingCreditsEffect::Init() {
  textures->entries[Slot::background06]->Load();
  textures->entries[Slot::finalcredits]->Load();
  textures->entries[Slot::ruxoparty]->Load();
  textures->entries[Slot::line02]->Load();

  // Four draws per line, in this order; they continue the program-wide
  // sequence left by the scenes initialised before this one.
  for (FallingLine& line : lines) {
    line.alpha = static_cast<float>(Random::Next() % 10) / 20.0f;
    line.x = static_cast<float>(Random::Next() % 100 - 50) / 3.0f;
    line.halfHeight = static_cast<float>(Random::Next() % 20) / 10.0f + 0.3f;
    line.fallSpeed = line.halfHeight / 100.0f;
    line.y = static_cast<float>(Random::Next() % 30 - 10);
  }
  pi = 3.14159274f;
}

bool ClosingCreditsEffect::Render(int now, int start) {
  elapsed = now - start;
  const float s = static_cast<float>(elapsed / 1000.0);

  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();

  // Dim background filling the view.
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -3.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  textures->entries[Slot::background06]->Bind();
  DrawPictureQuad(1.82f, 1.0f);

  // Each line is drawn where it is, then falls one step; lines are never
  // brought back, so those that left the view stay gone.
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -30.0f);
  textures->entries[Slot::line02]->Bind();
  for (FallingLine& line : lines) {
    glPushMatrix();
    glTranslatef(line.x, line.y, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, line.alpha);
    DrawPictureQuad(1.0f, line.halfHeight);
    glPopMatrix();
    line.y -= line.fallSpeed;
  }

  // Dark panel over the left half; its alpha passes 1 after 7 s and is
  // clamped by OpenGL.
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  glTranslatef(-1.1f, 0.0f, -2.0f);
  glColor4f(0.0f, 0.0f, 0.0f, s / 10.0f + 0.3f);
  DrawPlainQuad(1.0f, 1.0f);

  glEnable(GL_TEXTURE_2D);
  glLoadIdentity();
  glTranslatef(-1.2f, 0.0f, -4.0f);
  DrawOpaquePicture(textures->entries[Slot::finalcredits], 1.0f, 1.0f);

  if (elapsed > 5000 && elapsed < 20000) {
    glLoadIdentity();
    glTranslatef(2.0f, 0.0f, -8.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 5.0f, 20.0f, pi));
    textures->entries[Slot::ruxoparty]->Bind();
    DrawPictureQuad(2.0f, 1.0f);
  }

  EndPictures();
  return true;
}
