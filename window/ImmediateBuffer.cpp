#include "window/ImmediateBuffer.h"

#include "window/GLWindow.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr long kBufferBytes = 512 * 1024;  // Mesa's gallium drivers' buffer for glBegin/glEnd
constexpr long kLeastFree = 1024;          // a flush that leaves no more free starts a new buffer
constexpr long kVertexBytes = 8;           // a vertex with a two-float position and nothing else
constexpr long kDrawPiece = 4096;          // the draw module cuts longer strips into pieces of this many vertices

// Vertices the buffer takes from `used` on before it is drawn and started
// again; one place stays free for the vertex that closes a line loop.
long Room(long used) { return (kBufferBytes - used) / kVertexBytes - 1; }

bool HasQuery() {
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions && std::strstr(extensions, "GL_ARB_pipeline_statistics_query");
}

// Draws a line strip of `count` vertices left of the picture (clipped away)
// and returns how many vertices the driver handed on.
GLuint DrawCountedStrip(GLuint query, long count) {
  glBeginQuery(GL_VERTICES_SUBMITTED_ARB, query);
  glBegin(GL_LINE_STRIP);
  for (long i = 0; i < count; ++i) glVertex2f(-4.0f, (i & 1) ? 0.5f : -0.5f);
  glEnd();
  glEndQuery(GL_VERTICES_SUBMITTED_ARB);
  GLuint handed = 0;
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &handed);
  return handed;
}

// Vertices the driver hands on for one drawn strip of `count` vertices: each
// cut of the draw module repeats the vertex at the cut.
long Handed(long count) { return count < 2 ? 0 : count + (count - 2) / (kDrawPiece - 1); }

// What a line strip of `count` two-float vertices, drawn on its own from the
// byte offset `used` of the next vertex, does to the buffer.
struct StripOutcome {
  bool split = false;  // drawn in two parts, the second from a new buffer
  long after = 0;      // the offset after the flush that ends the strip
  long handed = 0;     // vertices the driver hands on (the query's count)
};

StripOutcome AfterLineStrip(long used, long count) {
  StripOutcome out;
  const long room = Room(used);
  out.split = count >= room;
  if (out.split) {
    // The part before is drawn; a new buffer starts with the strip's last
    // vertex again and takes the rest.
    const long rest = 1 + count - room;
    out.after = rest * kVertexBytes;
    out.handed = Handed(room) + Handed(rest);
  } else {
    out.after = used + count * kVertexBytes;
    out.handed = Handed(count);
  }
  if (kBufferBytes <= out.after + kLeastFree) out.after = 0;
  return out;
}

}  // namespace

bool RestartImmediateBuffer() {
  if (!HasQuery()) return false;
  // Reading the current colour makes Mesa draw what it holds and empty the
  // vertex format, so the strips' vertices are two floats each.
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  glPushAttrib(GL_TRANSFORM_BIT);
  PushIdentityMatrices();

  GLuint query = 0;
  glGenQueries(1, &query);
  // Every offset a flush can leave: floats, with more than kLeastFree free.
  std::vector<std::int32_t> offsets;
  offsets.reserve(kBufferBytes / 4);
  for (long used = 0; used + kLeastFree < kBufferBytes; used += 4) offsets.push_back(static_cast<std::int32_t>(used));
  bool consistent = true;
  for (int step = 0; step < 200 && consistent; ++step) {
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    if (offsets.size() == 1) break;
    // Offsets with the same room behave alike until a strip splits at them;
    // the strip's length halves the rooms still possible, or splits at all.
    std::vector<long> rooms;
    for (long used : offsets) rooms.push_back(Room(used));
    std::sort(rooms.begin(), rooms.end());
    rooms.erase(std::unique(rooms.begin(), rooms.end()), rooms.end());
    // No longer than one piece of the draw module, which sizes its memory to
    // the longest strip it was given.
    const long count = std::min(kDrawPiece, rooms.size() == 1 ? rooms[0] + 1 : rooms[rooms.size() / 2]);
    const GLuint handed = DrawCountedStrip(query, count);
    std::vector<std::int32_t> next;
    for (long used : offsets) {
      const StripOutcome out = AfterLineStrip(used, count);
      if (static_cast<long>(handed) == out.handed) next.push_back(static_cast<std::int32_t>(out.after));
    }
    offsets.swap(next);
    consistent = !offsets.empty();
  }
  // Strips that fill the buffer to just under its end without splitting:
  // the flush after the last starts a new buffer.
  for (int step = 0; consistent && offsets.size() == 1 && offsets[0] != 0 && step < 200; ++step) {
    const long count = std::min(kDrawPiece, Room(offsets[0]) - 1);
    const StripOutcome out = AfterLineStrip(offsets[0], count);
    consistent = !out.split && static_cast<long>(DrawCountedStrip(query, count)) == out.handed;
    offsets[0] = static_cast<std::int32_t>(out.after);
  }
  glDeleteQueries(1, &query);
  PopMatrices();
  glPopAttrib();
  return consistent && offsets.size() == 1 && offsets[0] == 0;
}
