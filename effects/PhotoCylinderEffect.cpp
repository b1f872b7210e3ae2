#include "effects/PhotoCylinderEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/TextureBank.h"

float PhotoCylinderEffect::PulseAt(int elapsed) {
  if (elapsed < 1200) return 0.0f;
  // Each beat rises from 0 to 0.8 over 800 ms, drops to 0.3 and falls to 0
  // over 150 ms. Lower bounds included, upper bounds excluded.
  static const int kBeats[] = {1000, 3700, 6400, 9000, 11700, 14400, 17000, 19700};
  for (int rise : kBeats) {
    const int drop = rise + 800, end = drop + 150;
    if (elapsed >= rise && elapsed < drop) return static_cast<float>(elapsed - rise) / 1000.0f;
    if (elapsed >= drop && elapsed < end) return static_cast<float>(end - elapsed) / 500.0f;
  }
  return 0.0f;
}

void PhotoCylinderEffect::Init() {
  textures->entries[Slot::photos]->Load();
  textures->entries[Slot::background04]->Load();
  textures->entries[Slot::lyrics_hate]->Load();
  textures->entries[Slot::lyrics_wars]->Load();
  textures->entries[Slot::le1]->Load();  // loaded, never drawn here
  CopyCirclePoints(circlePoints);
  pi = 3.14159274f;
}

bool PhotoCylinderEffect::Render(int now, int start) {
  elapsed = now - start;
  const float s = elapsed / 1000.0f;

  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  BeginPictures();

  glLoadIdentity();
  glTranslatef(-s / 100.0f, 0.0f, -3.0f);
  DrawOpaquePicture(textures->entries[Slot::background04], 2.0f, 1.0f);

  pulse = PulseAt(elapsed);

  // The wall from point 0 to point 63; the segment 63-0 stays open. Every
  // inner pair goes out twice, so neighbouring quads meet in a zero-area quad.
  glLoadIdentity();
  glTranslatef(0.0f, -2.5f, -2.0f);
  glRotatef(13.0f * s + 130.0f, 0.0f, 1.0f, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::photos]->Bind();
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < kCirclePointCount - 1; ++i) {
    const float* p = circlePoints[i];
    const float* q = circlePoints[i + 1];
    const float sp = i / 64.0f, sq = (i + 1) / 64.0f;
    glTexCoord2f(sp, 1.0f);
    glVertex3f(p[0], p[1] - pulse, p[2]);
    glTexCoord2f(sp, 0.0f);
    glVertex3f(p[0], p[1] + 5.0f + pulse, p[2] + 1.0f);  // the top edge leans by 1 in z
    glTexCoord2f(sq, 1.0f);
    glVertex3f(q[0], q[1] - pulse, q[2]);
    glTexCoord2f(sq, 0.0f);
    glVertex3f(q[0], q[1] + 5.0f + pulse, q[2] + 1.0f);
  }
  glEnd();

  if (elapsed > 2000 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(2.0f - s / 5.0f, -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 2.0f, 10.0f, pi));
    textures->entries[Slot::lyrics_hate]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }
  if (elapsed > 10000 && elapsed < 20000) {
    glLoadIdentity();
    glTranslatef(s / 5.0f - 2.0f, -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 10.0f, 20.0f, pi));
    textures->entries[Slot::lyrics_wars]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }

  EndPictures();
  return true;
}
