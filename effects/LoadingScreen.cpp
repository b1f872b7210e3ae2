#include "effects/LoadingScreen.h"

#include <GL/gl.h>

#include "effects/PictureQuad.h"
#include "services/TextureBank.h"

void DrawLoadingScreen() {
  LoadLoadingPicture();
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -5.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawPictureQuad(1.0f, 1.0f);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}
