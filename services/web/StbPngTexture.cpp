// DecodePng for the web build: the same contract as services/PngTexture.cpp,
// decoded with stb_image (Debian's libstb-dev) instead of libpng, which has
// no WebAssembly build here.
#include "services/PngTexture.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_FAILURE_USERMSG
#include <stb_image.h>  // /usr/include/stb

#include "platform/Report.h"

bool DecodePng(std::FILE* file, const char* name, unsigned maxSide, std::vector<unsigned char>& pixels,
               PngImage& image) {
  if (maxSide > kPngMaxSide) maxSide = kPngMaxSide;
  std::fseek(file, 0, SEEK_SET);
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_file(file, &width, &height, &channels)) {
    ReportCause(std::string(name) + ": not a PNG file (" + stbi_failure_reason() + ")");
    return false;
  }
  if (width < 1 || height < 1 || static_cast<unsigned>(width) > maxSide || static_cast<unsigned>(height) > maxSide) {
    ReportCause(std::string(name) + ": " + std::to_string(width) + " x " + std::to_string(height) + " is too large");
    return false;
  }
  // Decoded with the file's own channels (a palette or transparency chunk
  // brings alpha); grey then becomes RGB, as the native loader gives it.
  std::unique_ptr<unsigned char, void (*)(void*)> decoded(
      stbi_load_from_file(file, &width, &height, &channels, 0), stbi_image_free);
  if (!decoded) {
    ReportCause(std::string(name) + ": " + stbi_failure_reason());
    return false;
  }
  const bool alpha = channels == 2 || channels == 4;
  const unsigned out = alpha ? 4 : 3;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  pixels.resize(count * out);
  const unsigned char* src = decoded.get();
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* p = src + i * channels;
    unsigned char* q = pixels.data() + i * out;
    if (channels <= 2) {
      q[0] = q[1] = q[2] = p[0];
      if (alpha) q[3] = p[1];
    } else {
      std::memcpy(q, p, out);
    }
  }
  image.width = static_cast<unsigned>(width);
  image.height = static_cast<unsigned>(height);
  image.channels = out;
  return true;
}
