#include "SurfacePng.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "services/PngWriter.h"

namespace {

// Converts one premultiplied ARGB32 row to straight RGBA or RGB bytes.
void ConvertRow(const uint32_t* src, int width, bool withAlpha, std::vector<unsigned char>& out) {
  const int channels = withAlpha ? 4 : 3;
  out.resize(static_cast<size_t>(width) * channels);
  for (int x = 0; x < width; ++x) {
    const uint32_t p = src[x];
    const unsigned a = p >> 24;
    unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (withAlpha && a != 0 && a != 255) {
      r = (r * 255 + a / 2) / a;
      g = (g * 255 + a / 2) / a;
      b = (b * 255 + a / 2) / a;
    }
    unsigned char* o = &out[static_cast<size_t>(x) * channels];
    o[0] = static_cast<unsigned char>(r > 255 ? 255 : r);
    o[1] = static_cast<unsigned char>(g > 255 ? 255 : g);
    o[2] = static_cast<unsigned char>(b > 255 ? 255 : b);
    if (withAlpha) o[3] = static_cast<unsigned char>(a);
  }
}

}  // namespace

bool WritePng(const std::string& path, cairo_surface_t* surface, bool withAlpha) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);

  std::vector<unsigned char> pixels, row;
  pixels.reserve(static_cast<size_t>(width) * height * (withAlpha ? 4 : 3));
  for (int y = 0; y < height; ++y) {
    ConvertRow(reinterpret_cast<const uint32_t*>(data + y * stride), width, withAlpha, row);
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  return PngWriter::Write(path, PngWriter::Rgb(width, height, pixels, withAlpha));
}
