#include "effects/FadeEffects.h"

#include <GL/gl.h>

#include "effects/PictureQuad.h"

void FaderEffect::SetParam(int which, float value) {
  if (which == Duration) duration = value;
  if (which == Grey) grey = value;
}

void FaderEffect::DrawQuad(float alpha) {
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(grey, grey, grey, alpha);
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -0.1f);  // on the near plane: covers the whole view
  DrawPlainQuad(1.0f, 1.0f);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}

bool FadeInEffect::Render(int now, int start) {
  elapsed = now - start;
  DrawQuad(1.0f - static_cast<float>(elapsed) / duration);
  return true;
}

bool FadeOutEffect::Render(int now, int start) {
  elapsed = now - start;
  DrawQuad(static_cast<float>(elapsed) / duration);
  return true;
}
