#include "Noise.h"

#include <cmath>

#include "Random.h"

namespace {

double Smooth(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

int Wrap(int i, int period) {
  int m = i % period;
  return m < 0 ? m + period : m;
}

}  // namespace

double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int x0 = Wrap(static_cast<int>(fx), periodX), y0 = Wrap(static_cast<int>(fy), periodY);
  const int x1 = Wrap(x0 + 1, periodX), y1 = Wrap(y0 + 1, periodY);
  const double tx = Smooth(x - fx), ty = Smooth(y - fy);
  const double a = HashUnit(x0, y0, seed), b = HashUnit(x1, y0, seed);
  const double c = HashUnit(x0, y1, seed), d = HashUnit(x1, y1, seed);
  const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

double TileFbm2(double u, double v, int basePeriodX, int basePeriodY, int octaves, double gain, uint32_t seed) {
  double sum = 0.0, weight = 1.0, total = 0.0;
  int px = basePeriodX, py = basePeriodY;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * TileNoise(u * px, v * py, px, py, seed + 101u * static_cast<uint32_t>(o));
    total += weight;
    weight *= gain;
    px *= 2;
    py *= 2;
  }
  return sum / total;
}

double TileFbm(double u, double v, int basePeriod, int octaves, double gain, uint32_t seed) {
  return TileFbm2(u, v, basePeriod, basePeriod, octaves, gain, seed);
}
