#pragma once
// Helpers for reading a recorded frame: find calls by name and arguments,
// compare runs of calls, split the stream into glBegin/glEnd primitives.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "services/TriModel.h"
#include "tests/support/GLRecorder.h"

namespace CallStream {

inline bool Matches(const GLCall& call, const GLCall& want, double tolerance = 1e-6) {
  if (call.name != want.name || call.args.size() != want.args.size()) return false;
  for (std::size_t i = 0; i < want.args.size(); ++i)
    if (std::fabs(call.args[i] - want.args[i]) > tolerance) return false;
  return true;
}

inline std::string Show(const GLCall& call) {
  std::ostringstream out;
  out << call.name << "(";
  for (std::size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << call.args[i];
  out << ")";
  return out.str();
}

// Index of the first call at or after `from` equal to `want`, or -1.
inline int Find(const GLCall& want, int from = 0) {
  const auto& calls = GLRecorder::Calls();
  for (int i = from; i < static_cast<int>(calls.size()); ++i)
    if (Matches(calls[i], want)) return i;
  return -1;
}

// The recorded calls from `at` on are `expected`, in order, the arguments
// equal to `tolerance` (0: exactly).
inline ::testing::AssertionResult CallsAt(int at, const std::vector<GLCall>& expected, double tolerance = 1e-6) {
  const auto& calls = GLRecorder::Calls();
  if (at < 0) return ::testing::AssertionFailure() << "start index not found";
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const std::size_t i = at + k;
    if (i >= calls.size())
      return ::testing::AssertionFailure() << "stream ends before " << Show(expected[k]);
    if (!Matches(calls[i], expected[k], tolerance))
      return ::testing::AssertionFailure()
             << "call " << i << " is " << Show(calls[i]) << ", expected " << Show(expected[k]);
  }
  return ::testing::AssertionSuccess();
}

// The recorded stream ends with `expected`.
inline ::testing::AssertionResult EndsWith(const std::vector<GLCall>& expected) {
  const int at = static_cast<int>(GLRecorder::Calls().size()) - static_cast<int>(expected.size());
  if (at < 0) return ::testing::AssertionFailure() << "only " << GLRecorder::Calls().size() << " calls";
  return CallsAt(at, expected);
}

// Runs of calls one after the other, for a stream told in parts.
inline std::vector<GLCall> Joined(std::initializer_list<std::vector<GLCall>> parts) {
  std::vector<GLCall> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

inline int CountCall(const GLCall& want) {
  int n = 0;
  for (const GLCall& c : GLRecorder::Calls()) n += Matches(c, want);
  return n;
}

using Points = std::vector<std::vector<double>>;

struct Primitive {
  int mode;
  int begin;                  // index of glBegin
  std::vector<GLCall> calls;  // between glBegin and glEnd
  Points vertices, texCoords;  // the arguments of its glVertex3f and glTexCoord2f calls
};

// The corners of the picture quad of half-size (w, h) and its texture
// coordinates, in its drawing order, as a Primitive holds them.
inline Points PictureCorners(double w, double h) { return {{w, -h, 0}, {w, h, 0}, {-w, h, 0}, {-w, -h, 0}}; }
inline Points PictureTexCoords() { return {{1, 1}, {1, 0}, {0, 0}, {0, 1}}; }

inline std::vector<Primitive> Primitives() {
  std::vector<Primitive> out;
  const auto& calls = GLRecorder::Calls();
  for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
    if (calls[i].name != "glBegin") continue;
    Primitive p{static_cast<int>(calls[i].args[0]), i, {}, {}, {}};
    for (++i; i < static_cast<int>(calls.size()) && calls[i].name != "glEnd"; ++i) {
      p.calls.push_back(calls[i]);
      if (calls[i].name == "glVertex3f") p.vertices.push_back(calls[i].args);
      if (calls[i].name == "glTexCoord2f") p.texCoords.push_back(calls[i].args);
    }
    out.push_back(p);
  }
  return out;
}

// The primitives of a scene that draws nothing but quads.
inline std::vector<Primitive> Quads() {
  std::vector<Primitive> quads = Primitives();
  for (const Primitive& q : quads) EXPECT_EQ(q.mode, GL_QUADS);
  return quads;
}

// The recorded call at index `i`.
inline const GLCall& At(int i) { return GLRecorder::Calls()[i]; }

// Indices of the calls named `name`; with `arg0` only those whose first argument it is.
inline std::vector<int> Indices(const std::string& name, double arg0 = -1) {
  std::vector<int> out;
  for (int i = GLRecorder::Find(name); i >= 0; i = GLRecorder::Find(name, i + 1))
    if (arg0 < 0 || GLRecorder::Calls()[i].args[0] == arg0) out.push_back(i);
  return out;
}

// A call as one line of text, for comparing whole streams with EXPECT_EQ.
inline std::string Line(std::string name, const std::vector<double>& args) {
  for (double a : args) name += " " + std::to_string(a);
  return name;
}

// The recorded calls as lines, without the vertices and texture coordinates.
inline std::vector<std::string> LinesWithoutPoints() {
  std::vector<std::string> lines;
  for (const GLCall& c : GLRecorder::Calls())
    if (c.name != "glVertex3f" && c.name != "glTexCoord2f") lines.push_back(Line(c.name, c.args));
  return lines;
}

// Calls as lines, as Line writes them.
inline std::vector<std::string> Lines(const std::vector<GLCall>& calls) {
  std::vector<std::string> lines;
  for (const GLCall& c : calls) lines.push_back(Line(c.name, c.args));
  return lines;
}

inline GLCall Vertex(const Vec3& v) { return {"glVertex3f", {v.x, v.y, v.z}}; }
inline GLCall Normal(const Vec3& n) { return {"glNormal3f", {n.x, n.y, n.z}}; }
inline GLCall Enable(GLenum cap) { return {"glEnable", {double(cap)}}; }
inline GLCall Disable(GLenum cap) { return {"glDisable", {double(cap)}}; }
inline GLCall Begin(GLenum mode) { return {"glBegin", {double(mode)}}; }
inline GLCall End() { return {"glEnd", {}}; }
inline GLCall Bind(unsigned id) { return {"glBindTexture", {double(GL_TEXTURE_2D), double(id)}}; }

inline GLCall Identity() { return {"glLoadIdentity", {}}; }
inline GLCall Translate(double x, double y, double z) { return {"glTranslatef", {x, y, z}}; }
inline GLCall Colour(double r, double g, double b, double a) { return {"glColor4f", {r, g, b, a}}; }
inline GLCall BlendAlpha() { return {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}}; }
// Clearing colour and depth to (r, g, b, 0).
inline std::vector<GLCall> ClearTo(double r, double g, double b) {
  return {{"glClearColor", {r, g, b, 0}}, {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}}};
}
// What every scene's frame ends with: texturing and blending off, the depth test on.
inline std::vector<GLCall> PictureStateOff() { return {Disable(GL_TEXTURE_2D), Disable(GL_BLEND), Enable(GL_DEPTH_TEST)}; }

// The textured quad of half-width w and half-height h that shows a picture upright.
inline std::vector<GLCall> PictureQuad(double w, double h) {
  return {Begin(GL_QUADS),
          {"glTexCoord2f", {1, 1}}, {"glVertex3f", {w, -h, 0}},
          {"glTexCoord2f", {1, 0}}, {"glVertex3f", {w, h, 0}},
          {"glTexCoord2f", {0, 0}}, {"glVertex3f", {-w, h, 0}},
          {"glTexCoord2f", {0, 1}}, {"glVertex3f", {-w, -h, 0}},
          End()};
}

// The picture quad of half-width w and half-height h, compared exactly: the
// texture coordinates and vertices after the glBegin at index `begin`.
inline void ExpectPictureQuad(int begin, double w, double h) {
  const auto& calls = GLRecorder::Calls();
  const double expected[4][4] = {{1, 1, w, -h}, {1, 0, w, h}, {0, 0, -w, h}, {0, 1, -w, -h}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(calls[begin + 1 + 2 * k].args, (std::vector<double>{expected[k][0], expected[k][1]})) << begin;
    EXPECT_EQ(calls[begin + 2 + 2 * k].args, (std::vector<double>{expected[k][2], expected[k][3], 0})) << begin;
  }
}

// The picture `id` is bound right after its placement from the identity,
// moved by `place`, and drawn as the upright quad of half-size (w, h).
inline ::testing::AssertionResult PlacedPicture(unsigned id, const std::vector<double>& place, double w, double h) {
  const int at = Find(Bind(id));
  if (at < 3) return ::testing::AssertionFailure() << "texture " << id << " bound at " << at;
  ::testing::AssertionResult placed = CallsAt(at - 3, {Identity(), {"glTranslatef", place}});
  return placed ? CallsAt(at + 1, PictureQuad(w, h)) : placed;
}

// A quad strip around the 64-point circle table (CircleTable.h), as the
// scenes send their walls: for each of the 63 segments, point p and then
// point p + 1, each as its bottom and its top vertex, the texture column p / 64
// running from 1 at the bottom to 0 at the top. `corner(point, top)` is where
// a vertex must be, compared to `tolerance` (0: exactly).
template <class Corner>
void ExpectCircleStrip(const Points& vertices, const Points& texCoords, Corner corner, double tolerance) {
  ASSERT_EQ(vertices.size(), 252u);
  ASSERT_EQ(texCoords.size(), 252u);
  for (int p = 0; p < 63; ++p) {
    for (int n = 0; n < 2; ++n) {
      for (int top = 0; top < 2; ++top) {
        const int k = 4 * p + 2 * n + top;
        const std::vector<double> want = corner(p + n, top == 1);
        if (tolerance == 0) {
          EXPECT_EQ(vertices[k], want) << "vertex " << k;
        } else {
          ASSERT_EQ(vertices[k].size(), want.size());
          for (std::size_t a = 0; a < want.size(); ++a) EXPECT_NEAR(vertices[k][a], want[a], tolerance) << "vertex " << k;
        }
        EXPECT_EQ(texCoords[k], (std::vector<double>{(p + n) / 64.0f, top ? 0.0 : 1.0})) << "vertex " << k;
      }
    }
  }
}

// (texture, alpha) of every picture in drawing order, each bind right after its colour.
using Draws = std::vector<std::pair<unsigned, double>>;
inline Draws PictureDraws() {
  Draws out;
  const auto& calls = GLRecorder::Calls();
  for (size_t i = 1; i < calls.size(); ++i)
    if (calls[i].name == "glBindTexture") {
      EXPECT_EQ(calls[i - 1].name, "glColor4f");
      out.emplace_back(static_cast<unsigned>(calls[i].args[1]), calls[i - 1].args[3]);
    }
  return out;
}

// How often the texture `id` was bound in the recorded calls.
inline int Binds(unsigned id) {
  int n = 0;
  for (const GLCall& c : GLRecorder::Named("glBindTexture")) n += c.args[1] == id;
  return n;
}

// Whether the texture `id` was bound in the recorded calls.
inline bool Bound(unsigned id) { return Find(Bind(id)) >= 0; }

// The alpha of the last glColor4f before the first binding of `id`, or NaN.
inline double AlphaBefore(unsigned id) {
  const int at = Find(Bind(id));
  const auto& calls = GLRecorder::Calls();
  for (int i = at - 1; i >= 0; --i)
    if (calls[i].name == "glColor4f") return calls[i].args[3];
  return std::nan("");
}

}  // namespace CallStream
