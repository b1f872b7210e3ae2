// The GL half of LoadPngTexture, shared by both PNG decoders.
#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Report.h"
#include "services/DataFolder.h"
#include "services/PngTexture.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool LoadPngTexture(const char* path, PngImage* info) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(DataPath(path).c_str(), "rb"));
  if (!file) {
    ReportCause(std::string(path) + ": " + std::strerror(errno));
    return false;
  }
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const unsigned maxSide = maxSize > 0 ? static_cast<unsigned>(maxSize) : kPngMaxSide;

  std::vector<unsigned char> pixels;
  PngImage image;
  if (!DecodePng(file.get(), path, maxSide, pixels, image)) return false;

  GLenum format = image.channels == 4 ? GL_RGBA : GL_RGB;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), static_cast<GLsizei>(image.width),
               static_cast<GLsizei>(image.height), 0, format, GL_UNSIGNED_BYTE, pixels.data());
  if (info) *info = image;
  return true;
}
