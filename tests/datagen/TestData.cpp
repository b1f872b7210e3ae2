#include "TestData.h"

#include <png.h>
#include <vorbis/vorbisfile.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "DataFolder.h"

std::string GeneratedFolder(const std::string& run) {
  const std::string dir = std::string(DATAGEN_TEST_OUTPUT) + "/" + run;
  if (!std::filesystem::exists(dir + "/" + kSoundtrackFile)) {
    std::ostringstream log;
    if (!GenerateDataFolder(dir, log)) std::cerr << log.str();
  }
  return dir;
}

bool ReadPng(const std::string& path, PngImage& image) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  const int type = png_get_color_type(png, info);
  const bool ok = png_get_bit_depth(png, info) == 8 && (type == PNG_COLOR_TYPE_RGB || type == PNG_COLOR_TYPE_RGBA);
  if (ok) {
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    image.channels = type == PNG_COLOR_TYPE_RGBA ? 4 : 3;
    image.pixels.assign(size_t(image.width) * image.height * image.channels, 0);
    for (int y = 0; y < image.height; ++y) png_read_row(png, &image.pixels[size_t(y) * image.width * image.channels], nullptr);
    png_read_end(png, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return ok;
}

bool ReadTriFile(const std::string& path, std::vector<TriEntry>& entries) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string token;
  TriEntry entry{};
  int field = 0;
  while (file >> token) {
    char* end = nullptr;
    if (field < 9) {
      entry[field] = std::strtof(token.c_str(), &end);
    } else {
      std::strtoul(token.c_str(), &end, 16);
    }
    if (end == token.c_str() || *end != '\0') return false;
    if (++field == 10) {
      entries.push_back(entry);
      field = 0;
    }
  }
  return field == 0;
}

bool ReadOgg(const std::string& path, OggSound& sound) {
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) return false;
  const vorbis_info* info = ov_info(&file, -1);
  sound.rate = info->rate;
  sound.channels = info->channels;
  sound.seconds = ov_time_total(&file, -1);
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    const long frames = ov_read_float(&file, &pcm, 4096, &section);
    if (frames <= 0) break;
    sound.left.insert(sound.left.end(), pcm[0], pcm[0] + frames);
    sound.right.insert(sound.right.end(), pcm[sound.channels > 1 ? 1 : 0], pcm[sound.channels > 1 ? 1 : 0] + frames);
  }
  ov_clear(&file);
  return true;
}
