#include "services/PngWriter.h"

#include <csetjmp>
#include <cstdio>

namespace PngWriter {

bool Write(const std::string& path, const Image& image) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::vector<png_bytep> rows(image.height);  // made before setjmp: a jump back skips no destructor
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty())
    png_set_PLTE(png, info, image.palette.data(), static_cast<int>(image.palette.size()));
  if (!image.paletteAlpha.empty())
    png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()), nullptr);
  if (image.greyKey) {
    png_color_16 key{};
    key.gray = static_cast<png_uint_16>(image.greyKeyValue);
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  if (image.data.size() < rowBytes * image.height) png_error(png, "too few pixels");
  for (unsigned y = 0; y < image.height; ++y)
    rows[y] = const_cast<png_bytep>(image.data.data() + y * rowBytes);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

Image Rgb(unsigned width, unsigned height, const std::vector<unsigned char>& pixels, bool alpha) {
  Image image;
  image.width = width;
  image.height = height;
  image.colorType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  image.data = pixels;
  return image;
}

}  // namespace PngWriter
