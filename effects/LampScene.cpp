#include "effects/LampScene.h"
#include "effects/PictureQuad.h"

#include <GL/gl.h>

#include "services/Random.h"

namespace LampScene {

void FillLightCircles(ArcSprite* circles, int count) {
  for (int i = 0; i < count; ++i) {
    ArcSprite& c = circles[i];
    c.alpha = static_cast<float>(Random::rand() % 10) / 12.0f;
    c.angle = static_cast<float>(Random::rand() % 180);
    c.radius = static_cast<float>(Random::rand() % 100) / 7.0f;
    // In double, then stored: the float nearest to 0.3, 0.4, ... 1.2.
    c.size = static_cast<float>((Random::rand() % 10) / 10.0 + 0.3);
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
  return static_cast<float>(Random::rand() % 50 + 60) / 100.0f;
}

}  // namespace LampScene
