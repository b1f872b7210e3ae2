#pragma once
// Test helpers around files: whole files as bytes, and hand-made PNG chunks.
// The pictures themselves are written with the program's own PngWriter.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "services/PngWriter.h"

namespace PngWriter {

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
