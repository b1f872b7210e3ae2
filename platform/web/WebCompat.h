#pragma once
// Force-included into the web build's C++: what Emscripten's C++ library
// (3.1.6) lacks and the demo's code uses.
#ifdef __cplusplus
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>
#include <system_error>

namespace std {

// from_chars for floating point, which this libc++ does not have yet: strtod
// on the longest run of number characters (the C library here knows only the
// "C" locale, so the decimal point is always '.'). As from_chars, no leading
// space or '+', and a hexadecimal prefix is not read as one.
template <class T>
inline from_chars_result lvFromCharsFloat(const char* first, const char* last, T& value) {
  const char* p = first;
  if (p < last && *p == '-') ++p;
  if (p == last || *p == '+' || *p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
    return {first, errc::invalid_argument};
  std::string text;
  if (last - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    text.assign(first, p + 1);
  } else {
    const char* q = first;
    while (q < last && ((*q >= '0' && *q <= '9') || *q == '.' || *q == '-' || *q == '+' || *q == 'e' || *q == 'E' ||
                        (*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z')))
      ++q;
    text.assign(first, q);
  }
  char* end = nullptr;
  errno = 0;
  const double parsed = sizeof(T) == sizeof(float) ? std::strtof(text.c_str(), &end) : std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return {first, errc::invalid_argument};
  const char* ptr = first + (end - text.c_str());
  if (errno == ERANGE) return {ptr, errc::result_out_of_range};
  value = static_cast<T>(parsed);
  return {ptr, errc()};
}

inline from_chars_result from_chars(const char* first, const char* last, float& value,
                                    chars_format = chars_format::general) {
  return lvFromCharsFloat(first, last, value);
}
inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
  return lvFromCharsFloat(first, last, value);
}

}  // namespace std
#endif
