#pragma once
#include <cstdio>
#include <vector>

// Decodes a PNG file with libpng and uploads it as level 0 of the texture bound
// to GL_TEXTURE_2D: RGBA when the file has an alpha channel (or a transparency
// chunk), RGB otherwise; palette, grey and 16-bit images are converted. The
// first image row lands at t = 0. Returns false, with the bound texture left
// without an image, for a missing, non-PNG, truncated or corrupt file or one
// larger than GL_MAX_TEXTURE_SIZE, and says why on stderr. Never reads out of
// bounds, never leaks.
struct PngImage {
  unsigned width = 0, height = 0;
  unsigned channels = 0;  // 3 or 4
};
bool LoadPngTexture(const char* path, PngImage* info);

// Larger pictures are refused before any allocation, whatever the GL allows.
constexpr unsigned kPngMaxSide = 8192;

// The decoding half of LoadPngTexture, without GL (libpng natively,
// stb_image in the browser): reads a whole PNG from `file` (from its start)
// into `pixels`, rows top first, 3 or 4 bytes a pixel. Sides above `maxSide`
// (and above kPngMaxSide) are refused before any allocation.
// On failure says why on stderr, naming the file `name`.
bool DecodePng(std::FILE* file, const char* name, unsigned maxSide, std::vector<unsigned char>& pixels,
               PngImage& image);
