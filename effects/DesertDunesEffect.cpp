#include "effects/DesertDunesEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "services/TextureBank.h"

void DesertDunesEffect::Init() {
  amplitude = 0.3f;
  gridSize = 16;
  phase = 2.0f;
  textures->entries[Slot::sand]->Load();
  textures->entries[Slot::skyday]->Load();
  textures->entries[Slot::lumivane]->Load();
  textures->entries[Slot::lyrics_desert]->Load();
  textures->entries[Slot::lyrics_whats]->Load();
  pi = 3.14159274f;
}

// Sines in double of (integer + float phase); the product is rounded to float once.
float DesertDunesEffect::Height(int r, int c) const {
  const double sr = std::sin(static_cast<double>(r + phase));
  const double sc = std::sin(static_cast<double>(c + phase));
  return static_cast<float>((sr + sc) * amplitude * sr);
}

// A title or lyric picture of half-width w and half-height 1, blended over
// everything drawn before it.
void DesertDunesEffect::Overlay(int slot, float x, float y, float z, float alpha, float w) {
  BeginPictures();
  glLoadIdentity();
  glTranslatef(x, y, z);
  glColor4f(1.0f, 1.0f, 1.0f, alpha);  // not clamped here; OpenGL clamps
  textures->entries[slot]->Bind();
  DrawPictureQuad(w, 1.0f);
  EndPictures();
}

bool DesertDunesEffect::Render(int now, int start) {
  elapsed = now - start;
  const float u = static_cast<float>(now - start) / 2000;  // restarts at 0 in each window
  const float sec = static_cast<float>(now) / 1000;        // absolute demo seconds
  const bool firstWindow = now < 8500;

  glClearColor(0.67f, 0.74f, 0.95f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();
  glPolygonMode(GL_BACK, GL_FILL);
  glPolygonMode(GL_FRONT, GL_FILL);

  if (firstWindow) {
    // Zoom out of the centre: the field of view widens from almost 0 degrees.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(60 * u / 4, 1.0, static_cast<double>(0.1f), 100.0);
    glMatrixMode(GL_MODELVIEW);
  }

  // The lights go in before the model-view reset, so their positions are
  // transformed by whatever matrix the previous frame left (the letterbox's).
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat light1Position[] = {u * u, 10.0f, 10.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, white);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
  glEnable(GL_LIGHT1);
  const GLfloat light2Diffuse[] = {0.6f, 0.6f, 0.6f, 1.0f};
  const GLfloat light2Position[] = {10.0f, 100.0f, 200.0f, 1.0f};
  glLightfv(GL_LIGHT2, GL_AMBIENT, white);
  glLightfv(GL_LIGHT2, GL_DIFFUSE, light2Diffuse);
  glLightfv(GL_LIGHT2, GL_POSITION, light2Position);
  glEnable(GL_LIGHT2);
  glEnable(GL_LIGHTING);

  // Sky panel, lit like the terrain; its normal serves the terrain too.
  glLoadIdentity();
  glTranslatef(0.0f, 25.0f, -70.0f - u / 5);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  textures->entries[Slot::skyday]->Bind();
  glNormal3f(0.0f, 0.0f, 1.0f);
  DrawPictureQuad(120.0f, 20.0f);

  glLoadIdentity();
  glTranslatef(3.0f - u / 2, 0.0f, -12.0f);
  glRotatef(8.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(8.0f, 0.0f, 1.0f, 0.0f);
  glScalef(2.0f, 1.0f, 1.0f);
  textures->entries[Slot::sand]->Bind();

  // Terrain without depth test: rows from far to near, so nearer cells cover farther ones.
  const int n = gridSize;
  const int h = n / 2;
  for (int a = -h; a < h; ++a) {
    for (int b = -h; b < h; ++b) {
      glEnable(GL_TEXTURE_2D);
      glPolygonMode(GL_FRONT, GL_FILL);
      glEnable(GL_LIGHTING);
      const float scale = static_cast<float>(1.0 / n);
      glBegin(GL_QUADS);
      glTexCoord2f((b + h) * scale, (a + h) * scale);
      glVertex3f(static_cast<float>(b), Height(a, b), static_cast<float>(2 * a));
      glTexCoord2f((b + h) * scale, (a + 1 + h) * scale);
      glVertex3f(static_cast<float>(b), Height(a + 1, b), static_cast<float>(2 * (a + 1)));
      glTexCoord2f((b + 1 + h) * scale, (a + 1 + h) * scale);
      glVertex3f(static_cast<float>(b + 1), Height(a + 1, b + 1), static_cast<float>(2 * (a + 1)));
      glTexCoord2f((b + 1 + h) * scale, (a + h) * scale);
      glVertex3f(static_cast<float>(b + 1), Height(a, b + 1), static_cast<float>(2 * a));
      glEnd();
    }
  }

  if (firstWindow) {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }

  // The waves start after 24000 ms; the step is per frame and grows with u.
  if (now > 24000) {
    phaseStep = u / 1000;
    phase = phase + phaseStep;
  }

  glDisable(GL_LIGHT1);
  glDisable(GL_LIGHT2);
  glDisable(GL_LIGHTING);
  EndPictures();

  // Title and lyric lines, each over its own strict span of demo time with a
  // half-sine fade (0 at both ends, 1 in the middle).
  if (17000 < now && now < 25000)
    Overlay(Slot::lumivane, 0.0f, 0.0f, -3.0f,
            HalfSineFade(sec, 17, 25, pi), 1.0f);
  if (20000 < now && now < 27000)
    Overlay(Slot::lyrics_whats, 1 - u / 5, -1.0f, -10.0f,
            HalfSineFade(sec, 20, 27, pi), 4.0f);
  if (27000 < now && now < 32500)
    Overlay(Slot::lyrics_desert, u / 5 - 1, -2.0f, -10.0f,
            HalfSineFade(sec, 27, 32.5f, pi), 4.0f);
  return true;
}
