#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/QuorixSystem.h"
#include "app/Timeline.h"
#include "effects/Effect.h"
#include "effects/PictureQuad.h"
#include "services/Random.h"
#include "window/GLWindow.h"
#include "window/ImmediateBuffer.h"
#include "window/ReadBack.h"

namespace {

// The matrices and stack depths of the three stacks, to be put back exactly.
struct MatrixStacks {
  struct Stack {
    GLenum mode, depthName, matrixName;
    GLint depth;
    GLfloat matrix[16];
  } stacks[3] = {{GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH, GL_MODELVIEW_MATRIX, 0, {}},
                 {GL_PROJECTION, GL_PROJECTION_STACK_DEPTH, GL_PROJECTION_MATRIX, 0, {}},
                 {GL_TEXTURE, GL_TEXTURE_STACK_DEPTH, GL_TEXTURE_MATRIX, 0, {}}};

  void Save() {
    for (Stack& s : stacks) {
      glGetIntegerv(s.depthName, &s.depth);
      glGetFloatv(s.matrixName, s.matrix);
    }
  }
  void Restore() const {
    GLint matrixMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    for (const Stack& s : stacks) {
      glMatrixMode(s.mode);
      GLint depth = 0;
      glGetIntegerv(s.depthName, &depth);
      for (; depth > s.depth; --depth) glPopMatrix();
      for (; depth < s.depth; ++depth) glPushMatrix();
      glLoadMatrixf(s.matrix);
    }
    glMatrixMode(static_cast<GLenum>(matrixMode));
  }
};

// As many vertices, of the same format, as the loading screen's picture quad
// (DrawLoadingScreen), the only glBegin/glEnd vertices the context has seen
// when the first frame is drawn, with the texture coordinate they leave
// current; in feedback mode, so that nothing is drawn.
void ReplayLoadingScreenVertices() {
  static GLfloat feedback[64];
  glFeedbackBuffer(64, GL_2D, feedback);
  glRenderMode(GL_FEEDBACK);
  DrawPictureQuad(1.0f, 1.0f);
  glRenderMode(GL_RENDER);
}

}  // namespace

// llvmpipe (Mesa's software renderer) compiles machine code for every new
// combination of GL state the first time it draws with it, 20 to 200 ms a
// scene; the demo would stutter at every scene's first frame. Here each
// scene window's first frame is drawn once while the loading screen shows,
// by copies of the effects, so that the driver compiles then. Nothing of it
// may reach the demo: the copies leave the effects and the random generator
// as they were; the GL state is saved and put back; the picture in the back
// buffer (the loading screen, which a frame at demo time 0 shows again) is
// read before and written back after; and Mesa's buffer of glBegin/glEnd
// vertices is made to stand where it stood (see ImmediateBuffer.h).
void QuorixSystem::WarmUp() {
  if (!setUp) return;
  warmedUp = true;
  const std::uint32_t randomState = Random::State();
  std::unique_ptr<Effect> copies[static_cast<int>(EffectId::Count)];
  for (int i = 0; i < static_cast<int>(EffectId::Count); ++i) copies[i] = CopyOf(static_cast<EffectId>(i));

  MatrixStacks matrices;
  matrices.Save();
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  // The frames are drawn small, as in a window one row taller than 4:3, so
  // that the window's scissor box confines even the clears to its corner:
  // the driver's compiled code does not depend on the size, and only the
  // corner's pixels need to be put back.
  const int width = 64, height = 49;
  std::vector<GLubyte> picture(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  ReadBackPixels(0, 0, width, height, picture.data());
  GLWindow::Resize(width, height);
  int lastStart = -1;
  for (int r = 0; r < kTimelineRows; ++r) {
    const TimelineRow& scene = kTimeline[r];
    if (scene.kind != TimelineRow::RenderIn || !IsScene(scene.effect) || scene.start == lastStart) continue;
    lastStart = scene.start;
    const int at = scene.start + 17;  // the window's first frame at 60 frames a second
    for (int i = 0; i < kTimelineRows; ++i) {
      const TimelineRow& row = kTimeline[i];
      if (row.kind == TimelineRow::SetParam) {
        copies[static_cast<int>(row.effect)]->SetParam(row.which, row.value);
      } else if (row.start < at && at < row.end) {
        if (row.kind == TimelineRow::RenderIn) copies[static_cast<int>(row.effect)]->Render(at, row.start);
        else GLWindow::Resize(width, height);
      }
    }
    glFinish();
  }

  // The corner's pixels go back as they were.
  PlainPixelWrites();
  glPixelZoom(1.0f, 1.0f);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glViewport(0, 0, width, height);
  PushIdentityMatrices();
  glRasterPos2f(-1.0f, -1.0f);
  glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
  PopMatrices();

  const bool restarted = RestartImmediateBuffer();
  glPopClientAttrib();
  glPopAttrib();
  matrices.Restore();
  // Last, as putting the state back empties the vertex format, which the
  // loading screen's vertices leave behind.
  if (restarted) ReplayLoadingScreenVertices();
  glFinish();
  Random::Seed(randomState);
}
