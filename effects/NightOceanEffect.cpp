#include "effects/NightOceanEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/TextureBank.h"

void NightOceanEffect::Init() {
  phaseStep = 0.01f;
  amplitude = 0.1f;
  gridSize = 48;
  phase = 0.0f;
  textures->entries[Slot::water]->Load();
  textures->entries[Slot::skynight]->Load();
  textures->entries[Slot::lyrics_ocean]->Load();
}

// Sines in double of (integer + float phase); the sum is rounded to float once.
float NightOceanEffect::Height(int r, int c) const {
  return static_cast<float>(
      (std::sin(static_cast<double>(r + phase)) + std::sin(static_cast<double>(c + phase))) * amplitude);
}

bool NightOceanEffect::Render(int now, int start) {
  elapsed = now - start;
  const float u = static_cast<float>(now - start) / 2000;

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // Set before the model-view reset: the position goes through the matrix
  // that the previous frame left (the letterbox's). Lighting stays off until
  // the surface, so the sky is unlit.
  const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat position[] = {0.0f, 10.0f, -10.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glEnable(GL_LIGHT0);

  glShadeModel(GL_SMOOTH);
  BeginPictures();

  glLoadIdentity();
  glTranslatef(2.0f - u / 2, 4.0f, -70.0f - u / 5);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::skynight]->Bind();
  glNormal3f(0.0f, 0.0f, 1.0f);
  DrawPictureQuad(40.0f, 20.0f);

  // Tilts forward by u degrees; the depth scale swings between 7/12 and 9/12.
  glLoadIdentity();
  glTranslatef(6.0f - u / 5, 0.0f, -12.0f);
  glRotatef(u, 1.0f, 0.0f, 0.0f);
  glRotatef(8.0f, 0.0f, 1.0f, 0.0f);
  glScalef(1.0f, 1.0f, static_cast<float>((std::sin(static_cast<double>(u)) + 8) / 12));
  textures->entries[Slot::water]->Bind();
  glEnable(GL_LIGHTING);

  // One flat normal per cell; no depth test, so rows are painted far to near.
  const int n = gridSize;
  const int h = n / 2;
  for (int a = -h; a < h; ++a) {
    for (int b = -h; b < h; ++b) {
      const Vec3 A{static_cast<float>(b), Height(a, b), static_cast<float>(a)};
      const Vec3 B{static_cast<float>(b), Height(a + 1, b), static_cast<float>(a + 1)};
      const Vec3 C{static_cast<float>(b + 1), Height(a + 1, b + 1), static_cast<float>(a + 1)};
      const Vec3 D{static_cast<float>(b + 1), Height(a, b + 1), static_cast<float>(a)};
      cellNormal = FaceNormal(B, C, D);  // points up
      const float scale = static_cast<float>(1.0 / n);
      glBegin(GL_QUADS);
      glNormal3f(cellNormal.x, cellNormal.y, cellNormal.z);
      glTexCoord2f((b + h) * scale, (a + h) * scale);
      glVertex3f(A.x, A.y, A.z);
      glTexCoord2f((b + h) * scale, (a + 1 + h) * scale);
      glVertex3f(B.x, B.y, B.z);
      glTexCoord2f((b + 1 + h) * scale, (a + 1 + h) * scale);
      glVertex3f(C.x, C.y, C.z);
      glTexCoord2f((b + 1 + h) * scale, (a + h) * scale);
      glVertex3f(D.x, D.y, D.z);
      glEnd();
    }
  }

  phase = phase + phaseStep;  // per frame: the waves' speed follows the frame rate

  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);

  // Lyric line at full opacity; the faders give its fade in and out.
  if (30000 < now && now < 43500) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLoadIdentity();
    glTranslatef(1.0f - u / 5, -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    textures->entries[Slot::lyrics_ocean]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }

  EndPictures();
  return true;
}
