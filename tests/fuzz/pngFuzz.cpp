// The texture loader's decoding from memory: any bytes decode or are refused,
// and a decoded picture holds exactly its rows.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "services/PngTexture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!file) return 0;
  std::vector<unsigned char> pixels;
  PngImage image;
  // A small side limit, as a GL with a small GL_MAX_TEXTURE_SIZE sets it,
  // keeps each run quick.
  if (DecodePng(file, "fuzz.png", 256, pixels, image)) {
    if (image.width == 0 || image.height == 0 || image.width > 256 || image.height > 256 ||
        (image.channels != 3 && image.channels != 4) ||
        pixels.size() != std::size_t{image.width} * image.height * image.channels)
      std::abort();
  }
  std::fclose(file);
  return 0;
}
