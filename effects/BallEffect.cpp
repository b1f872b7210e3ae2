#include "effects/BallEffect.h"
#include "effects/MeshDraw.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/TextureBank.h"

namespace {

constexpr float kPi = 3.1415927f;

bool Swelling(int elapsed) {
  return (elapsed >= 2550 && elapsed < 2750) || (elapsed >= 5250 && elapsed < 5450) ||
         (elapsed >= 7850 && elapsed < 8050);
}

}  // namespace

void BallEffect::Init() {
  swell = 1.0f;
  textures->entries[Slot::japo]->Load();
  textures->entries[Slot::lyrics_agoodfriend]->Load();
  textures->entries[Slot::background07]->Load();
  SetColor(hexagonColor, 1.0f, 1.0f, 1.0f, 1.0f);
  SetColor(pentagonColor, 0.0f, 0.0f, 0.0f, 1.0f);
  hexagons.Read("data/models/ball_hexagons.tri", 120);
  pentagons.Read("data/models/ball_pentagons.tri", 60);
}

bool BallEffect::Render(int now, int start) {
  elapsed = now - start;
  const float t = static_cast<float>(elapsed) / 1000.0f;

  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // Background, turning; then the photograph drifting right.
  BeginPictures();
  glLoadIdentity();
  glTranslatef(0.0f, 0.5f, -1.0f);
  glRotatef(t + 200.0f, 0.0f, 1.0f, 0.0f);
  DrawOpaquePicture(textures->entries[Slot::background07], 1.0f, 1.0f);
  glLoadIdentity();
  glTranslatef(t / 64.0f - 1.0f, 0.0f, -5.0f);
  DrawOpaquePicture(textures->entries[Slot::japo], 2.0f, 1.5f);
  EndPictures();

  // The light is placed under the photograph's matrix: the point (0, 0, 5) of
  // its frame.
  static const float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  static const float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  static const float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  static const float position[4] = {0.0f, 0.0f, 5.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);

  glLoadIdentity();
  glTranslatef(1.0f, 0.2f, -3.5f);
  glRotatef(-t, 0.0f, 1.0f, 0.0f);
  glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-45.0f, 0.0f, 1.0f, 0.0f);
  glRotatef(-70.0f, 0.0f, 0.0f, 1.0f);
  swell = Swelling(elapsed) ? 1.5f : 1.0f;

  // Hexagon patches: lit and filled, then two of the three edges in thin
  // smoothed black lines. Line smoothing stays on for the faces too: it only
  // touches lines. Finished every 30 patches, which holds the driver's
  // memory for them at a quarter (10 MB less).
  glPushMatrix();
  glScalef(swell, swell, swell);
  glRotatef(10.0f * t, 0.0f, 1.0f, 0.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, hexagonColor);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glLineWidth(0.2f);  // left in force for the scenes after this one
  DrawOutlinedMesh(hexagons, 120, hexagonColor, GL_LINE_STRIP, 30);
  glDisable(GL_LINE_SMOOTH);
  glPopMatrix();

  // Pentagon patches: black material, no outlines.
  glPushMatrix();
  glScalef(swell, swell, swell);
  glRotatef(10.0f * t, 0.0f, 1.0f, 0.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, pentagonColor);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  for (int i = 0; i < 60; ++i) {
    glColor4fv(pentagonColor);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    DrawFace(pentagons[i]);
  }
  glPopMatrix();
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);  // GL_LIGHT0 stays enabled

  // Caption sliding left with a half-sine fade.
  BeginPictures();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (elapsed > 0 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(2.0f - t / 5.0f, -2.0f, -10.0f);
    const float alpha = HalfSineFade(t, 0.0f, 10.0f, kPi);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    textures->entries[Slot::lyrics_agoodfriend]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }
  EndPictures();
  return true;
}
