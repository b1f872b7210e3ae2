#pragma once
#include <png.h>

#include <string>
#include <vector>

// Writes PNG files with libpng: any colour type and bit depth, with an
// optional palette, transparency and interlacing. No time stamp or other
// varying chunk is written, so the same pixels always give the same bytes.
// Used by the offline renderer, the data generator and the tests.
namespace PngWriter {

struct Image {
  unsigned width = 0, height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<unsigned char> data;          // packed rows, top row first, as PNG stores them
  std::vector<png_color> palette;           // colour type PALETTE
  std::vector<unsigned char> paletteAlpha;  // tRNS for a palette
  bool greyKey = false;                     // tRNS for a grey image: this grey value is transparent
  unsigned greyKeyValue = 0;
};

// False when the file cannot be opened or written; a half-written file may be left.
bool Write(const std::string& path, const Image& image);

// An 8-bit RGB or RGBA image from rows of pixels, top row first.
Image Rgb(unsigned width, unsigned height, const std::vector<unsigned char>& pixels, bool alpha = false);

}  // namespace PngWriter
