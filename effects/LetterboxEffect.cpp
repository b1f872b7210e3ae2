#include "effects/LetterboxEffect.h"

#include <GL/gl.h>

#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

namespace {

void Bar(float y) {
  glLoadIdentity();
  glTranslatef(0.0f, y, -0.1f);
  DrawPlainQuad(1.0f, 1.0f);
}

}  // namespace

bool LetterboxEffect::Render(int now, int start) {
  elapsed = now - start;
  UnclipScenes();
  // Relies on every effect leaving texturing, blending and lighting off.
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  glPolygonMode(GL_BACK, GL_FILL);
  glPolygonMode(GL_FRONT, GL_FILL);
  Bar(1.03f);
  Bar(-1.03f);
  return true;
}
