#include "effects/SceneClip.h"

#include <algorithm>
#include <cmath>

namespace {

// The window's scissor state while the scenes are clipped.
struct Clip {
  bool on = false;
  bool windowScissor = false;
  GLint windowBox[4] = {0, 0, 0, 0};
  GLint box[4] = {0, 0, 0, 0};
} clip;

void SetWindowScissor() {
  if (clip.windowScissor) {
    glScissor(clip.windowBox[0], clip.windowBox[1], clip.windowBox[2], clip.windowBox[3]);
  } else {
    glDisable(GL_SCISSOR_TEST);
  }
}

void SetClip() {
  glScissor(clip.box[0], clip.box[1], clip.box[2], clip.box[3]);
  glEnable(GL_SCISSOR_TEST);
}

}  // namespace

bool BarOpenRows(const double projection[16], const int viewport[4], OpenRows* rows) {
  const double* p = projection;
  // A perspective without skew or offset (what gluPerspective makes), whose
  // view is narrower than the bars' width of 2 at their depth of 0.1.
  const bool plain = p[1] == 0 && p[3] == 0 && p[4] == 0 && p[7] == 0 && p[8] == 0 && p[9] == 0 &&
                     p[11] == -1 && p[12] == 0 && p[13] == 0 && p[15] == 0 && p[5] > 0 && p[0] * 10.0 > 1.0;
  if (!plain || viewport[3] <= 0) return false;
  // The bars' inner edges: y = 1.03 - 1 (in float, as GL adds them) at z = -0.1.
  const double edge = static_cast<double>(1.03f - 1.0f);
  const double ndc = p[5] * edge / static_cast<double>(0.1f);
  const double half = viewport[3] / 2.0;
  const double top = viewport[1] + (1.0 + ndc) * half, bottom = viewport[1] + (1.0 - ndc) * half;
  const int from = std::max(viewport[1], static_cast<int>(std::floor(bottom)) - 2);
  const int to = std::min(viewport[1] + viewport[3], static_cast<int>(std::ceil(top)) + 2);
  if (to <= from) return false;
  rows->y = from;
  rows->height = to - from;
  return true;
}

void ClipScenesToBars() {
  GLint viewport[4] = {0, 0, 0, 0};
  GLdouble projection[16] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  OpenRows rows;
  if (!BarOpenRows(projection, viewport, &rows)) return;
  clip.windowScissor = glIsEnabled(GL_SCISSOR_TEST);
  glGetIntegerv(GL_SCISSOR_BOX, clip.windowBox);
  int x0 = viewport[0], x1 = viewport[0] + viewport[2], y0 = rows.y, y1 = rows.y + rows.height;
  if (clip.windowScissor) {
    x0 = std::max(x0, clip.windowBox[0]);
    x1 = std::min(x1, clip.windowBox[0] + clip.windowBox[2]);
    y0 = std::max(y0, clip.windowBox[1]);
    y1 = std::min(y1, clip.windowBox[1] + clip.windowBox[3]);
  }
  clip.box[0] = x0;
  clip.box[1] = y0;
  clip.box[2] = std::max(0, x1 - x0);
  clip.box[3] = std::max(0, y1 - y0);
  clip.on = true;
  SetClip();
}

void UnclipScenes() {
  if (!clip.on) return;
  SetWindowScissor();
  clip.on = false;
}

void ClearScene(GLbitfield mask) {
  if (!clip.on) {
    glClear(mask);
    return;
  }
  SetWindowScissor();
  glClear(mask);
  SetClip();
}
