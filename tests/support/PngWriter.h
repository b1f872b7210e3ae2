#pragma once
// Test helper: writes small PNG files with libpng, in any colour type and depth.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace PngWriter {

struct Image {
  unsigned width = 0, height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<unsigned char> data;            // packed rows, top row first, as PNG stores them
  std::vector<png_color> palette;             // colour type PALETTE
  std::vector<unsigned char> paletteAlpha;    // tRNS for a palette
  bool greyKey = false;                       // tRNS for a grey image: this grey value is transparent
  unsigned greyKeyValue = 0;
};

inline bool Write(const std::string& path, const Image& image) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
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
  std::vector<png_bytep> rows(image.height);
  for (unsigned y = 0; y < image.height; ++y)
    rows[y] = const_cast<png_bytep>(image.data.data() + y * rowBytes);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

// An 8-bit RGB or RGBA image from rows of pixels.
inline Image Rgb(unsigned width, unsigned height, const std::vector<unsigned char>& pixels, bool alpha = false) {
  Image image;
  image.width = width;
  image.height = height;
  image.colorType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  image.data = pixels;
  return image;
}

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::vector<unsigned char> bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  int c;
  while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
  std::fclose(f);
  return bytes;
}

inline bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// CRC-32 of PNG chunks (type and data).
inline std::uint32_t Crc(const unsigned char* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return c ^ 0xFFFFFFFFu;
}

// A signature, a well-formed IHDR chunk for any size, a tiny image data chunk
// and the end chunk (correct CRCs): libpng reads the header of it without
// complaint, the pixels are far too few.
inline std::vector<unsigned char> HeaderWithTinyData(std::uint32_t width, std::uint32_t height) {
  std::vector<unsigned char> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto put32 = [&b](std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<unsigned char>(v >> s));
  };
  auto chunk = [&](const char* type, const std::vector<unsigned char>& data) {
    put32(static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = b.size();
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    put32(Crc(b.data() + typeAt, 4 + data.size()));
  };
  std::vector<unsigned char> header;
  for (std::uint32_t v : {width, height})
    for (int s = 24; s >= 0; s -= 8) header.push_back(static_cast<unsigned char>(v >> s));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, not interlaced
  chunk("IHDR", header);
  chunk("IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});  // one zero byte, deflated
  chunk("IEND", {});
  return b;
}

}  // namespace PngWriter
