#include "services/PngTexture.h"

#include <GL/gl.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include "services/DataFolder.h"

namespace {

// Larger pictures are refused before any allocation, whatever the GL allows.
constexpr unsigned kMaxSide = 8192;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

void PngError(png_structp png, png_const_charp) { std::longjmp(png_jmpbuf(png), 1); }
void PngWarning(png_structp, png_const_charp) {}

// Fills `pixels` with the decoded rows; all libpng work happens here so that
// a longjmp never crosses a C++ object with state of its own.
bool Decode(std::FILE* file, unsigned maxSide, std::vector<unsigned char>& pixels, PngImage& image) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  // On the heap, so a jump back never finds the vector itself half-changed.
  const auto rows = std::make_unique<std::vector<png_bytep>>();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || width > maxSide || height > maxSide) png_error(png, "size");

  int colorType = png_get_color_type(png, info);
  int depth = png_get_bit_depth(png, info);
  if (depth == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  unsigned channels = png_get_channels(png, info);
  if (channels != 3 && channels != 4) png_error(png, "channels");
  std::size_t rowBytes = png_get_rowbytes(png, info);
  if (rowBytes != static_cast<std::size_t>(width) * channels) png_error(png, "row size");

  pixels.resize(rowBytes * height);
  rows->resize(height);
  for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = pixels.data() + y * rowBytes;
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);

  image.width = width;
  image.height = height;
  image.channels = channels;
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

bool LoadPngTexture(const char* path, PngImage* info) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(DataPath(path).c_str(), "rb"));
  if (!file) return false;
  unsigned char signature[8];
  if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) return false;

  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  unsigned maxSide = kMaxSide;
  if (maxSize > 0 && static_cast<unsigned>(maxSize) < maxSide) maxSide = static_cast<unsigned>(maxSize);

  std::vector<unsigned char> pixels;
  PngImage image;
  if (!Decode(file.get(), maxSide, pixels, image)) return false;

  GLenum format = image.channels == 4 ? GL_RGBA : GL_RGB;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), static_cast<GLsizei>(image.width),
               static_cast<GLsizei>(image.height), 0, format, GL_UNSIGNED_BYTE, pixels.data());
  if (info) *info = image;
  return true;
}
