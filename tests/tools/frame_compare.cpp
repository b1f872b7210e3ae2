// frame_compare A.png B.png: compares two pictures pixel by pixel (RGB).
// Prints the number of differing pixels; exit 0 when none differ, 1 when
// some do or the sizes differ, 2 when a file cannot be read.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool Read(const char* path, png_image& image, std::vector<png_byte>& pixels) {
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) {
    std::fprintf(stderr, "frame_compare: %s: %s\n", path, image.message);
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    std::fprintf(stderr, "frame_compare: %s: %s\n", path, image.message);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: frame_compare A.png B.png\n");
    return 2;
  }
  png_image a, b;
  std::vector<png_byte> pa, pb;
  if (!Read(argv[1], a, pa) || !Read(argv[2], b, pb)) return 2;
  if (a.width != b.width || a.height != b.height) {
    std::printf("size %ux%u against %ux%u\n", a.width, a.height, b.width, b.height);
    return 1;
  }
  long differing = 0;
  for (std::size_t i = 0; i < pa.size(); i += 3) differing += std::memcmp(&pa[i], &pb[i], 3) != 0;
  std::printf("%ld of %u pixels differ\n", differing, a.width * a.height);
  return differing == 0 ? 0 : 1;
}
