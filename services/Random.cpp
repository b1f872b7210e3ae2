#include "services/Random.h"

namespace {
std::uint32_t state = 1;
}

namespace Random {

int Next() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

void Seed(std::uint32_t seed) { state = seed; }

std::uint32_t State() { return state; }

}  // namespace Random
