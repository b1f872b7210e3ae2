#include "effects/WishingLampEffect.h"
#include "effects/PictureQuad.h"

#include <GL/gl.h>

#include <cmath>

#include "services/TextureBank.h"

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
  const float x = static_cast<float>(elapsed) / 1000.0f;  // seconds into the window
  glLoadIdentity();

  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();

  // Background, turning clockwise by one degree per second.
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -1.5f);
  glRotatef(-x, 0.0f, 0.0f, 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::background01]->Bind();
  DrawPictureQuad(1.0f, 1.0f);

  // Light circles on arcs around a point to the upper left.
  glLoadIdentity();
  glTranslatef(-15.0f, 10.0f, 0.0f);
  textures->entries[Slot::circle01]->Bind();
  LampScene::DrawArcSprites(lightCircles, 80, 60.0f, 24.0f);

  flickerScale = LampScene::FlickerScale(elapsed);

  // The lamp, turning from -20 to 35 degrees over the window.
  glLoadIdentity();
  glTranslatef(-0.2f, 0.0f, -2.0f);
  glRotatef(5.0f * x - 20.0f, 0.0f, 1.0f, 0.0f);
  glScalef(flickerScale, flickerScale, flickerScale);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::lamp02]->Bind();
  DrawPictureQuad(1.0f, 1.0f);

  // Two columns of rings at the right edge, rising one unit per second; the
  // nearer one stands 4 units further left.
  glLoadIdentity();
  glTranslatef(15.5f, 0.0f, -30.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::ring]->Bind();
  for (int i = 0; i < 50; ++i) {
    glPushMatrix();
    glTranslatef(0.0f, -80.0f + x + static_cast<float>(2 * i), 0.0f);
    DrawPictureQuad(1.0f, 1.0f);
    glTranslatef(-4.0f, 0.0f, 5.0f);
    DrawPictureQuad(1.0f, 1.0f);
    glPopMatrix();
  }

  // Lyric line: half-sine fade over the first ten seconds, drifting right.
  if (elapsed > 0 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(x / 5.0f - 2.0f, -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(std::sin(static_cast<double>(x * pi / 10.0f))));
    textures->entries[Slot::lyrics_whatisyourwish]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }

  EndPictures();
  return true;
}
