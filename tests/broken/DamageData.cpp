// damage_data KIND FROM TO: copies the data folder FROM to TO with every
// picture, mesh and the tune damaged the same way. KIND is one of
//   missing  the files are left out
//   empty    the files are there with no bytes
//   half     the first half of each file
//   random   as many random bytes as the file had (at most 64 KiB)
//   absurd   valid headers claiming absurd sizes: pictures of 100000 x 100000,
//            meshes of two thousand entries (more than any scene reads) with the first in range and the rest
//            beyond any float, a tune at 2147483647 Hz
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteAll(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void Put32(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v >> 24);
  p[1] = static_cast<unsigned char>(v >> 16);
  p[2] = static_cast<unsigned char>(v >> 8);
  p[3] = static_cast<unsigned char>(v);
}

// The CRC of PNG chunks (reflected, 0xEDB88320).
std::uint32_t PngCrc(const unsigned char* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return c ^ 0xFFFFFFFFu;
}

// The CRC of Ogg pages (direct, 0x04C11DB7, over the page with its CRC field zeroed).
std::uint32_t OggCrc(const unsigned char* p, std::size_t n) {
  std::uint32_t c = 0;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= static_cast<std::uint32_t>(p[i]) << 24;
    for (int k = 0; k < 8; ++k) c = (c << 1) ^ (0x04C11DB7u & (0u - (c >> 31)));
  }
  return c;
}

// IHDR is the first chunk: width and height at bytes 16..23, its CRC after the 13 data bytes.
bool AbsurdPicture(Bytes& b) {
  if (b.size() < 33 || std::memcmp(b.data() + 12, "IHDR", 4) != 0) return false;
  Put32(b.data() + 16, 100000);
  Put32(b.data() + 20, 100000);
  Put32(b.data() + 29, PngCrc(b.data() + 12, 17));
  return true;
}

// The first page holds the identification header alone: the rate is at
// byte 12 of the packet (little-endian), the page CRC at 22..25.
bool AbsurdTune(Bytes& b) {
  if (b.size() < 58 || std::memcmp(b.data(), "OggS", 4) != 0) return false;
  const std::size_t segments = b[26];
  const std::size_t header = 27 + segments;
  std::size_t body = 0;
  for (std::size_t i = 0; i < segments; ++i) body += b[27 + i];
  if (b.size() < header + body || body < 30 || std::memcmp(b.data() + header + 1, "vorbis", 6) != 0) return false;
  const std::uint32_t rate = 2147483647u;
  for (int i = 0; i < 4; ++i) b[header + 12 + i] = static_cast<unsigned char>(rate >> (8 * i));
  std::memset(b.data() + 22, 0, 4);
  const std::uint32_t crc = OggCrc(b.data(), header + body);
  for (int i = 0; i < 4; ++i) b[22 + i] = static_cast<unsigned char>(crc >> (8 * i));
  return true;
}

Bytes AbsurdMesh(const Bytes& original) {
  std::string text;
  for (unsigned char c : original) {  // the first entry as it was
    text += static_cast<char>(c);
    if (c == '\n') break;
  }
  for (int i = 1; i < 2000; ++i) text += "1e39 -1e39 3.4e38 1e-50 -0 nan inf -inf 1e999999 ffffffffffffffffffff\n";
  return Bytes(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: damage_data missing|empty|half|random|absurd FROM TO\n");
    return 2;
  }
  const std::string kind = argv[1];
  const fs::path from = argv[2], to = argv[3];
  if (kind != "missing" && kind != "empty" && kind != "half" && kind != "random" && kind != "absurd") {
    std::fprintf(stderr, "damage_data: unknown kind '%s'\n", kind.c_str());
    return 2;
  }
  std::mt19937 random(20261209);
  int damaged = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
    if (!entry.is_regular_file()) continue;
    const fs::path target = to / fs::relative(entry.path(), from);
    fs::create_directories(target.parent_path());
    const std::string ext = entry.path().extension().string();
    if (ext != ".png" && ext != ".tri" && ext != ".ogg") {
      fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
      continue;
    }
    ++damaged;
    if (kind == "missing") continue;
    Bytes bytes = ReadAll(entry.path());
    if (kind == "empty") {
      bytes.clear();
    } else if (kind == "half") {
      bytes.resize(bytes.size() / 2);
    } else if (kind == "random") {
      bytes.resize(std::min<std::size_t>(bytes.size(), 65536));
      for (unsigned char& c : bytes) c = static_cast<unsigned char>(random());
    } else if (ext == ".png" ? !AbsurdPicture(bytes) : ext == ".ogg" ? !AbsurdTune(bytes) : false) {
      std::fprintf(stderr, "damage_data: %s has no header to change\n", entry.path().c_str());
      return 1;
    } else if (ext == ".tri") {
      bytes = AbsurdMesh(bytes);
    }
    if (!WriteAll(target, bytes)) {
      std::fprintf(stderr, "damage_data: cannot write %s\n", target.c_str());
      return 1;
    }
  }
  std::printf("damage_data: %s: %d files\n", kind.c_str(), damaged);
  return damaged > 0 ? 0 : 1;
}
