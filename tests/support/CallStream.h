#pragma once
// Helpers for reading a recorded frame: find calls by name and arguments,
// compare runs of calls, split the stream into glBegin/glEnd primitives.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
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

// The recorded calls from `at` on are exactly `expected`, in order.
inline ::testing::AssertionResult CallsAt(int at, const std::vector<GLCall>& expected) {
  const auto& calls = GLRecorder::Calls();
  if (at < 0) return ::testing::AssertionFailure() << "start index not found";
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const std::size_t i = at + k;
    if (i >= calls.size())
      return ::testing::AssertionFailure() << "stream ends before " << Show(expected[k]);
    if (!Matches(calls[i], expected[k]))
      return ::testing::AssertionFailure()
             << "call " << i << " is " << Show(calls[i]) << ", expected " << Show(expected[k]);
  }
  return ::testing::AssertionSuccess();
}

inline int CountCall(const GLCall& want) {
  int n = 0;
  for (const GLCall& c : GLRecorder::Calls()) n += Matches(c, want);
  return n;
}

struct Primitive {
  int mode;
  int begin;                  // index of glBegin
  std::vector<GLCall> calls;  // between glBegin and glEnd
  int Vertices() const {
    int n = 0;
    for (const GLCall& c : calls) n += c.name == "glVertex3f";
    return n;
  }
};

inline std::vector<Primitive> Primitives() {
  std::vector<Primitive> out;
  const auto& calls = GLRecorder::Calls();
  for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
    if (calls[i].name != "glBegin") continue;
    Primitive p{static_cast<int>(calls[i].args[0]), i, {}};
    for (++i; i < static_cast<int>(calls.size()) && calls[i].name != "glEnd"; ++i) p.calls.push_back(calls[i]);
    out.push_back(p);
  }
  return out;
}

inline GLCall Vertex(const Vec3& v) { return {"glVertex3f", {v.x, v.y, v.z}}; }
inline GLCall Normal(const Vec3& n) { return {"glNormal3f", {n.x, n.y, n.z}}; }
inline GLCall Enable(GLenum cap) { return {"glEnable", {double(cap)}}; }
inline GLCall Disable(GLenum cap) { return {"glDisable", {double(cap)}}; }
inline GLCall Begin(GLenum mode) { return {"glBegin", {double(mode)}}; }
inline GLCall End() { return {"glEnd", {}}; }
inline GLCall Bind(unsigned id) { return {"glBindTexture", {double(GL_TEXTURE_2D), double(id)}}; }

// The textured quad of half-width w and half-height h that shows a picture upright.
inline std::vector<GLCall> PictureQuad(double w, double h) {
  return {Begin(GL_QUADS),
          {"glTexCoord2f", {1, 1}}, {"glVertex3f", {w, -h, 0}},
          {"glTexCoord2f", {1, 0}}, {"glVertex3f", {w, h, 0}},
          {"glTexCoord2f", {0, 0}}, {"glVertex3f", {-w, h, 0}},
          {"glTexCoord2f", {0, 1}}, {"glVertex3f", {-w, -h, 0}},
          End()};
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
