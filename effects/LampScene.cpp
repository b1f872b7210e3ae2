#include "effects/LampScene.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/Random.h"
#include "services/TextureBank.h"

namespace LampScene {

void FillLightCircles(ArcSprite* circles, int count) {
  for (int i = 0; i < count; ++i) {
    ArcSprite& c = circles[i];
    c.alpha = static_cast<float>(Random::Next() % 10) / 12.0f;
    c.angle = static_cast<float>(Random::Next() % 180);
    c.radius = static_cast<float>(Random::Next() % 100) / 7.0f;
    // In double, then stored: the float nearest to 0.3, 0.4, ... 1.2.
    c.size = static_cast<float>((Random::Next() % 10) / 10.0 + 0.3);
    c.speed = c.size / 50.0f;
  }
}

void DrawArcSprites(ArcSprite* sprites, int count, float baseAngle, float baseRadius) {
  for (int i = 0; i < count; ++i) {
    ArcSprite& s = sprites[i];
    glPushMatrix();
    glRotatef(baseAngle - s.angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(baseRadius + s.radius, 0.0f, -40.0f);
    glScalef(s.size, s.size, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, s.alpha);
    DrawPictureQuad(1.0f, 1.0f);
    glPopMatrix();
    s.angle = s.angle + s.speed;
  }
}

float FlickerScale(int elapsed) {
  const bool flickering = (elapsed >= 2000 && elapsed < 2200) || (elapsed >= 4600 && elapsed < 4800) ||
                          (elapsed >= 7100 && elapsed < 7300) || (elapsed >= 9800 && elapsed < 10000);
  if (!flickering) return 1.0f;
  return static_cast<float>(Random::Next() % 50 + 60) / 100.0f;
}

float Render(TextureBank* textures, int elapsed, const Layout& layout, ArcSprite* circles, float pi) {
  const float x = static_cast<float>(elapsed) / 1000.0f;  // seconds into the window
  glLoadIdentity();

  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();

  // Background; the unit quad at this depth overfills the view.
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -1.5f);
  if (layout.turnBackground) glRotatef(-x, 0.0f, 0.0f, 1.0f);  // clockwise, a degree per second
  DrawOpaquePicture(textures->entries[Slot::background01], 1.0f, 1.0f);

  // Light circles on arcs around a point to the upper left.
  glLoadIdentity();
  glTranslatef(-15.0f, 10.0f, 0.0f);
  textures->entries[Slot::circle01]->Bind();
  DrawArcSprites(circles, 80, layout.arcAngle, 24.0f);

  const float flickerScale = FlickerScale(elapsed);

  // The lamp, turning from -20 degrees by 5 degrees per second.
  glLoadIdentity();
  glTranslatef(layout.lampX, 0.0f, -2.0f);
  glRotatef(5.0f * x - 20.0f, 0.0f, 1.0f, 0.0f);
  glScalef(flickerScale, flickerScale, flickerScale);
  DrawOpaquePicture(textures->entries[layout.lamp], 1.0f, 1.0f);

  // Two columns of rings at the side, rising one unit per second; the nearer
  // one 5 units closer and ringStepX to the side.
  glLoadIdentity();
  glTranslatef(layout.ringX, 0.0f, -30.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::ring]->Bind();
  for (int i = 0; i < 50; ++i) {
    glPushMatrix();
    glTranslatef(0.0f, -80.0f + x + static_cast<float>(2 * i), 0.0f);
    DrawPictureQuad(1.0f, 1.0f);
    glTranslatef(layout.ringStepX, 0.0f, 5.0f);
    DrawPictureQuad(1.0f, 1.0f);
    glPopMatrix();
  }

  // Lyric line: half-sine fade over the first ten seconds, drifting sideways.
  if (elapsed > 0 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(layout.lyricX + layout.lyricDrift * (x / 5.0f), -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(x, 0.0f, 10.0f, pi));
    textures->entries[layout.lyric]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }

  EndPictures();
  return flickerScale;
}

}  // namespace LampScene
