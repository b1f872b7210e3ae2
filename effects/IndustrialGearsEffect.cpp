#include "effects/IndustrialGearsEffect.h"
#include "effects/MeshDraw.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/Random.h"
#include "services/TextureBank.h"

namespace {

bool Flickering(int elapsed) {
  return (elapsed >= 1500 && elapsed < 1700) || (elapsed >= 4200 && elapsed < 4400) ||
         (elapsed >= 6800 && elapsed < 7000) || (elapsed >= 9400 && elapsed < 9600);
}

}  // namespace

void IndustrialGearsEffect::Init() {
  textures->entries[Slot::industry]->Load();
  textures->entries[Slot::background03]->Load();
  textures->entries[Slot::lyrics_pollution]->Load();
  textures->entries[Slot::lyrics_ymi2]->Load();
  SetColor(lightAmbient, 0.0f, 0.0f, 0.0f, 1.0f);
  SetColor(lightDiffuse, 1.0f, 1.0f, 1.0f, 1.0f);
  SetColor(lightSpecular, 1.0f, 1.0f, 1.0f, 1.0f);
  SetColor(lightPosition, 0.0f, 0.0f, 0.0f, 1.0f);
  SetColor(gearColor, 0.5f, 0.5f, 0.5f, 1.0f);
  gear.Read("data/models/gear.tri", 240);
  pi = 3.14159274f;
}

bool IndustrialGearsEffect::Render(int now, int start) {
  elapsed = now - start;
  const float x = static_cast<float>(now - start) / 1000.0f;

  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // Background and photograph, both drifting down and to the left.
  BeginPictures();
  glLoadIdentity();
  glTranslatef(-x / 100.0f, 0.0f, -3.0f);
  DrawOpaquePicture(textures->entries[Slot::background03], 2.0f, 1.0f);
  glLoadIdentity();
  glTranslatef(0.5f - x / 100.0f, 0.2f - x / 100.0f, -4.0f);
  DrawOpaquePicture(textures->entries[Slot::industry], 2.0f, 1.5f);
  EndPictures();

  // The light is placed under the photograph's matrix.
  lightPosition[0] = x;
  lightPosition[2] = x - 50.0f;
  glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
  glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);

  // Exactly one draw of the shared generator per frame inside the slots.
  flickerScale = Flickering(elapsed) ? static_cast<float>(Random::Next() % 100 + 100) / 100.0f : 1.0f;

  glLoadIdentity();
  glTranslatef(-2.5f, 0.0f, -7.0f);
  glRotatef(70.0f, 0.0f, 1.0f, 0.0f);

  const float s = flickerScale;
  struct Placement {
    float sx, sy, sz;
    bool moved;
    float tx, ty;
    float angle;
  };
  const Placement gears[4] = {
      {s + 1.0f, s + 1.0f, s, false, 0.0f, 0.0f, 100.0f * x},
      {s + 0.5f, s + 0.5f, s, true, 1.75f, 0.0f, 17.0f - 100.0f * x},
      {s, s, s, true, 3.0f, 1.9f, 100.0f * x + 5.0f},
      {s, s, s, true, 3.0f, -1.9f, 100.0f * x + 18.0f},
  };
  for (const Placement& p : gears) {
    glPushMatrix();
    glScalef(p.sx, p.sy, p.sz);
    if (p.moved) glTranslatef(p.tx, p.ty, 0.0f);
    glRotatef(p.angle, 0.0f, 0.0f, 1.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, gearColor);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // Three vertices as GL_LINES: only the edge 1-2 is drawn, the third
    // vertex has no partner.
    DrawOutlinedMesh(gear, 240, gearColor, GL_LINES);
    glPopMatrix();
  }

  // Captions with half-sine fades.
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
  BeginPictures();
  if (elapsed > 0 && elapsed < 6000) {
    glLoadIdentity();
    glTranslatef(x / 5.0f, -2.0f, -20.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(x, 0.0f, 6.0f, pi));
    textures->entries[Slot::lyrics_ymi2]->Bind();
    DrawPictureQuad(8.0f, 1.0f);
  }
  if (elapsed > 3000 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(x / 5.0f - 2.0f, -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(x, 3.0f, 10.0f, pi));
    textures->entries[Slot::lyrics_pollution]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }
  EndPictures();
  return true;
}
