#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/gl/GLTestWindow.h"
#include "window/ImmediateBuffer.h"

namespace {

// Vertices the driver hands on for a line strip of `count` two-float vertices
// drawn on its own (clipped away, left of the picture).
GLuint HandedOn(long count) {
  GLuint query = 0, handed = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_VERTICES_SUBMITTED_ARB, query);
  glBegin(GL_LINE_STRIP);
  for (long i = 0; i < count; ++i) glVertex2f(-4.0f, (i & 1) ? 0.5f : -0.5f);
  glEnd();
  glEndQuery(GL_VERTICES_SUBMITTED_ARB);
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &handed);
  glDeleteQueries(1, &query);
  return handed;
}

// Immediate-mode vertices of various formats, `count` of them, clipped away.
void DrawVertices(long count, bool textured) {
  glBegin(GL_TRIANGLES);
  for (long i = 0; i < count; ++i) {
    glColor4f(1.0f, 0.5f, 0.25f, 1.0f);
    if (textured) glTexCoord2f(0.0f, 1.0f), glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(-4.0f, static_cast<float>(i % 7), 0.0f);
  }
  glEnd();
  glDisable(GL_BLEND);  // a state change: the vertices are drawn, their format stays
}

}  // namespace

// Whatever was drawn before, the buffer starts afresh. A fresh buffer of
// Mesa 22.3's gallium drivers takes 65535 two-float vertices of a strip (the
// driver hands 16 more on: its draw module cuts a long strip every 4095
// vertices and repeats the vertex at each cut); one vertex more splits the
// strip, and the second part starts with the vertex at the split again.
TEST(ImmediateBuffer, RestartLeavesAFreshBufferWhateverWasDrawnBefore) {
  GLTestWindow w(64, 48);
  ASSERT_TRUE(w.ok);
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (!version || !std::strstr(version, "Mesa 22.3")) GTEST_SKIP() << "not Debian 12's Mesa: " << version;
  const struct {
    long count;
    bool textured;
  } histories[] = {{0, false}, {4, true}, {3001, false}, {100003, true}, {131070, false}};
  for (const auto& history : histories) {
    DrawVertices(history.count, history.textured);
    ASSERT_TRUE(RestartImmediateBuffer()) << history.count << " vertices before";
    EXPECT_EQ(HandedOn(65534), 65534u + 16) << history.count << " vertices before: the strip fits";
    // That strip left less than the least free space: the next one starts a new buffer too.
    EXPECT_EQ(HandedOn(65536), 65535u + 16 + 2) << history.count << " vertices before: the strip splits";
  }
}
