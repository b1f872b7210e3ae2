#include "services/PngTexture.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/Report.h"

namespace {

constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;

// libpng's own words for what is wrong; the error pointer is the file's name.
void PngError(png_structp png, png_const_charp message) {
  std::fprintf(stderr, "lumivane: %s: %s\n", static_cast<const char*>(png_get_error_ptr(png)), message);
  std::longjmp(png_jmpbuf(png), 1);
}
void PngWarning(png_structp, png_const_charp) {}

// Fills `pixels` with the decoded rows; all libpng work happens here so that
// a longjmp never crosses a C++ object with state of its own. `name` must
// outlive the call (libpng keeps it as the error pointer).
bool Decode(std::FILE* file, const char* name, unsigned maxSide, std::vector<unsigned char>& pixels,
            PngImage& image) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, const_cast<char*>(name), PngError, PngWarning);
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
  // libpng reads an ancillary chunk whole into memory, also one that claims
  // two gigabytes in a file of eighty bytes. We use none of them (tRNS, which
  // we do use, is not among those skipped), so they are skipped unread, and
  // any other chunk is held to a sane size.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_init_io(png, file);
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || width > maxSide || height > maxSide) {
    char text[96];
    std::snprintf(text, sizeof text, "%u x %u pixels, more than %u on a side", static_cast<unsigned>(width),
                  static_cast<unsigned>(height), maxSide);
    png_error(png, text);
  }

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

bool DecodePng(std::FILE* file, const char* name, unsigned maxSide, std::vector<unsigned char>& pixels,
               PngImage& image) {
  unsigned char signature[8];
  if (std::fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
    ReportCause(std::string(name) + ": not a PNG file");
    return false;
  }
  return Decode(file, name, maxSide < kPngMaxSide ? maxSide : kPngMaxSide, pixels, image);
}
