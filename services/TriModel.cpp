#include "services/TriModel.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Report.h"
#include "services/DataFolder.h"

Vec3 FaceNormal(const Vec3& p1, const Vec3& p2, const Vec3& p3) {
  const float ux = p1.x - p2.x, uy = p1.y - p2.y, uz = p1.z - p2.z;
  const float wx = p1.x - p3.x, wy = p1.y - p3.y, wz = p1.z - p3.z;
  // Products of floats are exact in double; each component is rounded once.
  const float nx = static_cast<float>(static_cast<double>(uy) * wz - static_cast<double>(wy) * uz);
  const float ny = static_cast<float>(static_cast<double>(uz) * wx - static_cast<double>(wz) * ux);
  const float nz = static_cast<float>(static_cast<double>(ux) * wy - static_cast<double>(wx) * uy);
  double sum = static_cast<double>(nx) * nx;
  sum += static_cast<double>(ny) * ny;
  sum += static_cast<double>(nz) * nz;
  const float length = static_cast<float>(std::sqrt(sum));
  if (length == 0.0f) return Vec3{0.0f, 0.0f, 0.0f};
  return Vec3{nx / length, ny / length, nz / length};
}

namespace {

// Reads numbers from a whole file kept in memory, like "%f" and "%x" would,
// but without depending on the C locale.
class Scanner {
 public:
  explicit Scanner(std::string text) : text(std::move(text)) {}

  bool Float(float& value) {
    SkipSpace();
    if (pos < text.size() && text[pos] == '+') ++pos;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
      // Like strtof: a value beyond float range is read as infinity or zero.
      double wide = 0;
      std::from_chars(first, last, wide, std::chars_format::general);
      value = static_cast<float>(wide);
    } else if (result.ec != std::errc()) {
      return false;
    }
    pos = static_cast<std::size_t>(result.ptr - text.data());
    return true;
  }

  bool Hex() {
    SkipSpace();
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
        pos + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos + 2])))
      pos += 2;
    std::size_t begin = pos;
    while (pos < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos]))) ++pos;
    return pos > begin;
  }

 private:
  void SkipSpace() {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  }

  std::string text;
  std::size_t pos = 0;
};

}  // namespace

void TriModel::Read(const char* path, int count) {
  if (count > Size()) count = Size();
  for (Triangle& t : triangles) t = Triangle{};
  std::ifstream file(DataPath(path), std::ios::binary);
  bool ok = static_cast<bool>(file);
  if (ok) {
    Scanner scan{std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>())};
    for (int i = 0; i < count && ok; ++i) {
      Triangle t{};
      for (Vec3& v : t.vertices) ok = ok && scan.Float(v.x) && scan.Float(v.y) && scan.Float(v.z);
      ok = ok && scan.Hex();
      if (!ok) break;
      t.normal = FaceNormal(t.vertices[0], t.vertices[1], t.vertices[2]);
      triangles[i] = t;
    }
  }
  if (!ok) {
    ShowMessageBox(std::string("Error while loading model: ") + path, "QuorixSys: error message",
                   MB::ICONWARNING);
  }
}
