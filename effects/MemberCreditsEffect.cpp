#include "effects/MemberCreditsEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/Random.h"
#include "services/TextureBank.h"

void MemberCreditsEffect::Init() {
  textures->entries[Slot::circle02]->Load();  // loaded, drawn by no scene
  textures->entries[Slot::vqLogo]->Load();
  textures->entries[Slot::pelmar]->Load();
  textures->entries[Slot::drevko]->Load();
  // Bound by Render and loaded by other scenes too; loading them here as well
  // keeps this scene whole on its own.
  textures->entries[Slot::background02]->Load();
  textures->entries[Slot::le1]->Load();
  textures->entries[Slot::ring02]->Load();
  for (ArcSprite& r : rings) {
    r.alpha = static_cast<float>(Random::Next() % 10) / 12.0f;
    r.angle = static_cast<float>(Random::Next() % 130);
    r.radius = static_cast<float>(Random::Next() % 100);
    // In double, then stored: the float nearest to 0.4, 0.5, ... 1.3.
    r.size = static_cast<float>((Random::Next() % 10) / 10.0 + 0.4);
    r.speed = r.size / 50.0f;
  }
  pi = 3.14159274f;
}

bool MemberCreditsEffect::Render(int now, int start) {
  elapsed = now - start;
  const float x = static_cast<float>(elapsed) / 1000.0f;  // seconds into the window
  glLoadIdentity();

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();

  // Background, a barely visible shade on the black.
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -1.4f);
  glRotatef(-16.0f, 0.0f, 1.0f, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 0.02f);
  textures->entries[Slot::background02]->Bind();
  DrawPictureQuad(1.0f, 1.0f);

  // Rings on arcs of radius 20 to 119 around a point to the upper left.
  glLoadIdentity();
  glTranslatef(-15.0f, 10.0f, 0.0f);
  textures->entries[Slot::ring02]->Bind();
  LampScene::DrawArcSprites(rings, 180, 90.0f, 20.0f);

  // Strip drifting right, alpha 0.2 at the start swelling to 0.7 at 10 s.
  if (elapsed > 0 && elapsed < 20000) {
    glLoadIdentity();
    glTranslatef(x / 5.0f - 3.0f, -6.0f, -24.0f);
    glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(HalfSine(x, -5.0f, 25.0f, pi) - 0.3));
    textures->entries[Slot::le1]->Bind();
    DrawPictureQuad(16.0f, 1.0f);
  }

  // Faint group logo.
  if (elapsed > 0 && elapsed < 20000) {
    glLoadIdentity();
    glTranslatef(-0.8f, -0.5f, -3.0f);
    glScalef(2.0f, 2.0f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 0.2f);
    textures->entries[Slot::vqLogo]->Bind();
    DrawPictureQuad(1.0f, 1.0f);
  }

  // The two members, half-sine fades in (5, 12) and (11, 16) seconds.
  if (elapsed > 5000 && elapsed < 12000) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(x, 5.0f, 12.0f, pi));
    textures->entries[Slot::pelmar]->Bind();
    DrawPictureQuad(1.0f, 1.0f);
  }
  if (elapsed > 11000 && elapsed < 16000) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(x, 11.0f, 16.0f, pi));
    textures->entries[Slot::drevko]->Bind();
    DrawPictureQuad(1.0f, 1.0f);
  }

  EndPictures();
  return true;
}
