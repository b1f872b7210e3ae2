#include "effects/GreetingsSpiralEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include "services/TextureBank.h"

namespace {

// Whether `elapsed` lies in one of the eight 500-ms dim slots.
bool InDimSlot(int elapsed) {
  static const int kSlotStarts[] = {1200, 3900, 6600, 9300, 12000, 14500, 17100, 19900};
  for (int from : kSlotStarts)
    if (elapsed >= from && elapsed < from + 500) return true;
  return false;
}

// Offset of the bands and ring columns; each step falls on the end of a dim
// slot. Lower bounds included.
float ShiftAt(int elapsed) {
  struct Step {
    int until;
    float shift;
  };
  static const Step kSteps[] = {{1700, 0.0f},   {4400, -1.0f},  {7100, -2.0f},  {9800, -3.0f}, {12500, -4.0f},
                                {15000, -3.0f}, {17600, -2.0f}, {20400, -0.5f}};
  for (const Step& step : kSteps)
    if (elapsed < step.until) return step.shift;
  return 0.0f;
}

}  // namespace

void GreetingsSpiralEffect::Init() {
  textures->entries[Slot::greets01]->Load();
  textures->entries[Slot::greets02]->Load();
  textures->entries[Slot::background05]->Load();
  textures->entries[Slot::line01]->Load();
  textures->entries[Slot::ring02]->Load();
  CopyCirclePoints(circlePoints);
}

bool GreetingsSpiralEffect::Render(int now, int start) {
  elapsed = now - start;
  const float s = elapsed / 1000.0f;

  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // A per-frame dip: how deep it gets depends on the frame rate.
  if (elapsed >= 1200 && InDimSlot(elapsed))
    fade = fade - 0.01f;
  else
    fade = 1.0f;
  shift = ShiftAt(elapsed);

  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  glLoadIdentity();
  glTranslatef(-s / 100.0f, 0.0f, -3.0f);
  glColor4f(1.0f, 1.0f, 1.0f, fade);
  textures->entries[Slot::background05]->Bind();
  DrawPictureQuad(2.0f, 1.0f);

  // Two columns of 50 ring sprites, rising 1 unit per second.
  glLoadIdentity();
  glTranslatef(-15.5f - shift, 0.0f, -30.0f - shift);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::ring02]->Bind();
  for (int i = 0; i < 50; ++i) {
    glPushMatrix();
    glTranslatef(0.0f, s - 80.0f + 2.0f * i, 0.0f);
    DrawPictureQuad(1.0f, 1.0f);
    glTranslatef(4.0f, 0.0f, 5.0f);
    DrawPictureQuad(1.0f, 1.0f);
    glPopMatrix();
  }

  // Four bands, each one turn of a helix climbing 0.1 per point. Rotating
  // first makes the shift act in the turning frame: the helix's axis circles
  // around the viewer.
  struct Band {
    int slot;
    float y0;
  };
  static const Band kBands[] = {
      {Slot::greets01, -0.2f}, {Slot::greets02, -1.2f}, {Slot::line01, -2.2f}, {Slot::line01, 0.8f}};
  for (const Band& band : kBands) {
    glLoadIdentity();
    glRotatef(13.7f * s + 120.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(shift, band.y0 - s / 4.0f, shift);
    textures->entries[band.slot]->Bind();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < kCirclePointCount - 1; ++i) {
      const float* p = circlePoints[i];
      const float* q = circlePoints[i + 1];
      const float a = i / 10.0f, b = (i + 1) / 10.0f;
      const float sp = i / 64.0f, sq = (i + 1) / 64.0f;
      glTexCoord2f(sp, 1.0f);
      glVertex3f(p[0], p[1] + a, p[2]);
      glTexCoord2f(sp, 0.0f);
      glVertex3f(p[0], p[1] + 1.5f + a, p[2]);
      glTexCoord2f(sq, 1.0f);
      glVertex3f(q[0], q[1] + b, q[2]);
      glTexCoord2f(sq, 0.0f);
      glVertex3f(q[0], q[1] + 1.5f + b, q[2]);
    }
    glEnd();
  }

  EndPictures();
  return true;
}
