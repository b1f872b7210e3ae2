#pragma once
#include <cmath>
#include <cstdint>

// Small deterministic generator (SplitMix64) for everything the data generator
// scatters or varies: same seed, same pictures, meshes and music on every run
// and every machine.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state(seed) {}

  uint32_t NextU32() { return static_cast<uint32_t>(Next64() >> 32); }

  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next64() >> 11) * (1.0 / 9007199254740992.0); }

  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

  // Uniform integer in [0, n).
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Uniform() * n); }

  bool Chance(double p) { return Uniform() < p; }

  // Roughly normal, mean 0 and deviation 1 (sum of four uniforms).
  double Gauss() {
    double sum = Uniform() + Uniform() + Uniform() + Uniform();
    return (sum - 2.0) * std::sqrt(3.0);
  }

 private:
  uint64_t Next64() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  uint64_t state;
};

// Stateless hash of integer coordinates to [0, 1), for lattice noise.
inline double HashUnit(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return static_cast<double>(h & 0xFFFFFFu) / 16777216.0;
}
