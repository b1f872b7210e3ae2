#pragma once
// Helpers shared by the data generator's tests: where the generated folders
// are, and small readers for what the generator writes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One of the two folders written by separate runs of lumivane-datagen ("a"
// or "b"). Under CTest a fixture writes them first; run by hand, the test
// writes a missing folder itself.
std::string GeneratedFolder(const std::string& run = "a");

struct PngImage {
  int width = 0, height = 0;
  int channels = 0;  // 3 = RGB, 4 = RGBA
  std::vector<uint8_t> pixels;  // rows top to bottom, `channels` bytes each
  uint8_t At(int x, int y, int channel) const { return pixels[(size_t(y) * width + x) * channels + channel]; }
};

// Reads an 8-bit RGB or RGBA PNG with libpng; false on anything else.
bool ReadPng(const std::string& path, PngImage& image);

// The demo's mesh format: nine floats and a hexadecimal field per entry,
// separated by any white space. Reads every entry; false on malformed text.
using TriEntry = std::array<float, 9>;
bool ReadTriFile(const std::string& path, std::vector<TriEntry>& entries);

struct OggSound {
  long rate = 0;
  int channels = 0;
  double seconds = 0;
  std::vector<float> left, right;
};

// Decodes a whole Ogg Vorbis file with libvorbisfile.
bool ReadOgg(const std::string& path, OggSound& sound);
