#include "effects/PictureQuad.h"

#include <GL/gl.h>

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
