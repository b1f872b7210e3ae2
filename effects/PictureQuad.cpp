#include "effects/PictureQuad.h"

#include <GL/gl.h>

#include "effects/SceneClip.h"
#include "services/TextureBank.h"

void DrawPictureQuad(float w, float h) {
  glBegin(GL_QUADS);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(w, -h, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(w, h, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-w, h, 0.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-w, -h, 0.0f);
  glEnd();
}

void DrawPlainQuad(float w, float h) {
  glBegin(GL_QUADS);
  glVertex3f(w, -h, 0.0f);
  glVertex3f(w, h, 0.0f);
  glVertex3f(-w, h, 0.0f);
  glVertex3f(-w, -h, 0.0f);
  glEnd();
}

void DrawOpaquePicture(TextureEntry* picture, float w, float h) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  picture->Bind();
  GLint alphaBits = -1, source = 0, destination = 0;
  if (glIsEnabled(GL_BLEND) && !glIsEnabled(GL_LIGHTING)) {
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
  }
  const bool opaque = alphaBits == 0 && source == GL_SRC_ALPHA && destination == GL_ONE_MINUS_SRC_ALPHA;
  if (opaque) glDisable(GL_BLEND);
  DrawPictureQuad(w, h);
  if (opaque) glEnable(GL_BLEND);
}

void BeginPictures() {
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void EndPictures() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}

void BeginCaptionScene() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginPictures();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -3.0f);
}

void DrawCaptionCrossFade(TextureEntry* latin, TextureEntry* arabic, int elapsedMs) {
  const float x = static_cast<float>(elapsedMs / 1000.0);  // seconds into the window
  const float y = static_cast<float>(1 - x);
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(x - 0.5));
  latin->Bind();
  DrawPictureQuad(1.0f, 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(y + 0.5));
  arabic->Bind();
  DrawPictureQuad(1.0f, 1.0f);
}
