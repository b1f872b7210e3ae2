#pragma once
#include <algorithm>
#include <cstdint>

struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

inline Rgba Hex(uint32_t rgb, double alpha = 1.0) {
  return Rgba{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

inline double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

inline double Lerp(double a, double b, double t) { return a + (b - a) * t; }

inline Rgba Mix(const Rgba& p, const Rgba& q, double t) {
  return Rgba{Lerp(p.r, q.r, t), Lerp(p.g, q.g, t), Lerp(p.b, q.b, t), Lerp(p.a, q.a, t)};
}

inline Rgba Scaled(const Rgba& c, double k) { return Rgba{c.r * k, c.g * k, c.b * k, c.a}; }

inline Rgba WithAlpha(const Rgba& c, double a) { return Rgba{c.r, c.g, c.b, a}; }

inline double SmoothStep(double e0, double e1, double x) {
  double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3.0 - 2.0 * t);
}
