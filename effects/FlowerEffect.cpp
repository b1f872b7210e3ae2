#include "effects/FlowerEffect.h"
#include "effects/MeshDraw.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/TextureBank.h"

namespace {

constexpr float kPi = 3.1415927f;

bool InBurst(int elapsed) {
  return (elapsed >= 1700 && elapsed < 1800) || (elapsed >= 4400 && elapsed < 4500) ||
         (elapsed >= 7100 && elapsed < 7200) || (elapsed >= 9800 && elapsed < 9900);
}

// One part of the flower: every triangle lit and filled with its own normal,
// then outlined in black. The stamens leave out the edge from vertex 3 back to
// vertex 1 (`outline` GL_LINE_STRIP instead of GL_LINE_LOOP).
void DrawPart(const TriModel& part, int count, const float color[4], GLenum outline) {
  glPushMatrix();
  glScalef(2.0f, 2.0f, 1.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, color);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glPolygonMode(GL_FRONT, GL_FILL);
  DrawOutlinedMesh(part, count, color, outline);
  glPopMatrix();
}

// Background, turning slowly.
void PlaceBackground(float t) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -1.4f);
  glRotatef(-t - 20.0f, 0.0f, 1.0f, 0.0f);
}

// Photograph, drifting right; in the last second it flies towards the viewer.
void PlacePhotograph(int elapsed, float t) {
  glLoadIdentity();
  glTranslatef(t / 100.0f - 1.0f, 0.0f, -5.0f);
  if (elapsed > 9000 && elapsed < 10000) {
    const float e = (t - 9.0f) * 3.0f;
    glTranslatef(e / 2.0f, static_cast<float>(-e / 3.5), e);
  }
}

}  // namespace

void FlowerEffect::Init() {
  spin = 0.0f;
  spinStep = 0.0f;
  textures->entries[Slot::girl]->Load();
  textures->entries[Slot::lyrics_girl]->Load();
  textures->entries[Slot::lyrics_ymi]->Load();
  textures->entries[Slot::background02]->Load();
  SetColor(petalColor, 0.9f, 0.9f, 1.0f, 1.0f);
  SetColor(stamenColor, 0.7f, 0.7f, 0.0f, 1.0f);
  SetColor(stemColor, 0.0f, 0.5f, 0.0f, 1.0f);
  SetColor(lightAmbient, 0.0f, 0.0f, 0.0f, 1.0f);
  SetColor(lightDiffuse, 1.0f, 1.0f, 1.0f, 1.0f);
  SetColor(lightSpecular, 1.0f, 1.0f, 1.0f, 1.0f);
  lightPosition[0] = 0.0f;
  lightPosition[1] = 0.0f;
  lightPosition[2] = 0.0f;
  petals.Read("data/models/flower_petal.tri", 1320);
  stamens.Read("data/models/flower_stamen.tri", 40);
  stem.Read("data/models/flower_stem.tri", 808);
}

bool FlowerEffect::Render(int now, int start) {
  elapsed = now - start;
  const float t = static_cast<float>(elapsed) / 1000.0f;

  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  TextureEntry* background = textures->entries[Slot::background02];
  TextureEntry* photo = textures->entries[Slot::girl];
  BeginPictures();
  if (background->Opaque() && photo->Opaque()) {
    // The photograph covers half the background or more and both are opaque,
    // so it goes first and marks its pixels at depth 0; the background's
    // depth test (less or equal) then fails under it and only the texels
    // around it are drawn. Every pixel ends as in the other order at a
    // fraction of the background's fill. The flower gets a cleared depth
    // buffer again; the photograph's matrix (the light's) and texture are
    // left current, as in the other order.
    glEnable(GL_DEPTH_TEST);
    glDepthRange(0.0, 0.0);
    PlacePhotograph(elapsed, t);
    DrawOpaquePicture(photo, 2.0f, 1.5f);
    glDepthRange(0.0, 1.0);
    glDepthMask(GL_FALSE);
    PlaceBackground(t);
    DrawOpaquePicture(background, 1.0f, 1.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
    ClearScene(GL_DEPTH_BUFFER_BIT);
    PlacePhotograph(elapsed, t);
    photo->Bind();
  } else {
    PlaceBackground(t);
    DrawOpaquePicture(background, 1.0f, 1.0f);
    EndPictures();
    BeginPictures();
    PlacePhotograph(elapsed, t);
    DrawOpaquePicture(photo, 2.0f, 1.5f);
  }
  EndPictures();

  // The light is placed under the photograph's matrix: (0, 0, t, t) is the
  // point (0, 0, 1) of the photograph's frame, so the light follows it.
  lightPosition[2] = t;
  lightPosition[3] = t;
  glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
  glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);

  // The flower; the rotation uses the spin of the previous frames.
  glLoadIdentity();
  glTranslatef(1.0f, 0.0f, -4.0f);
  glRotatef(t - 80.0f, 0.0f, 1.0f, 0.0f);
  glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(spin - 45.0f, 0.0f, 1.0f, 0.0f);
  glRotatef(-70.0f, 0.0f, 0.0f, 1.0f);
  // A step per drawn frame, so the turn follows the frame rate.
  spinStep = InBurst(elapsed) ? 6.0f : -0.2f;
  spin += spinStep;

  DrawPart(petals, 1320, petalColor, GL_LINE_LOOP);
  DrawPart(stamens, 40, stamenColor, GL_LINE_STRIP);
  DrawPart(stem, 808, stemColor, GL_LINE_LOOP);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);  // GL_LIGHT0 stays enabled

  // Captions sliding sideways with half-sine fades.
  BeginPictures();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (elapsed > 0 && elapsed < 8000) {
    glLoadIdentity();
    glTranslatef(-1.0f - t / 5.0f, -1.0f, -10.0f);
    const float alpha = HalfSineFade(t, 0.0f, 8.0f, kPi);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    textures->entries[Slot::lyrics_ymi]->Bind();
    DrawPictureQuad(4.0f, 0.5f);
  }
  if (elapsed > 2000 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(t / 5.0f - 2.0f, -2.0f, -10.0f);
    const float alpha = HalfSineFade(t, 2.0f, 10.0f, kPi);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    textures->entries[Slot::lyrics_girl]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }
  EndPictures();
  return true;
}
