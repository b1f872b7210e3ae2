#pragma once
#include <string>
#include <vector>

// A stand-in for OpenGL and GLU in the logic tests: every call is appended to
// a list with its arguments (as doubles; enums as their numeric values), so a
// test can compare the calls of a frame with what the effect must send.
struct GLCall {
  std::string name;
  std::vector<double> args;
};

namespace GLRecorder {
std::vector<GLCall>& Calls();
void Clear();  // forget the calls; the little state below is reset too
int Count(const std::string& name);
// Calls with the given name, in order.
std::vector<GLCall> Named(const std::string& name);
// Index of the first call with this name at or after `from`, or -1.
int Find(const std::string& name, int from = 0);

// Last texture image uploaded with glTexImage2D.
struct Upload {
  int internalFormat = 0, width = 0, height = 0, format = 0;
  std::vector<unsigned char> pixels;
};
const Upload& LastUpload();
void SetMaxTextureSize(int size);  // what glGetIntegerv(GL_MAX_TEXTURE_SIZE) answers

// Whether a GL context is current, as a fake display says (true when no
// display says otherwise), and how many calls came while none was.
// Clear() leaves both alone.
void SetContextCurrent(bool current);
int CallsWithoutContext();
}  // namespace GLRecorder
