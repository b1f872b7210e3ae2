#pragma once
#include <cstdint>

#include "platform/Platform.h"

// A clock that the test sets: `counter` ticks at `frequency` per second
// (milliseconds unless told otherwise).
class FakeClock : public Clock {
 public:
  explicit FakeClock(std::int64_t frequency = 1000) : frequency(frequency) {}
  std::int64_t Frequency() override { return frequency; }
  std::int64_t Counter() override { return counter; }
  std::int64_t frequency;
  std::int64_t counter = 0;
};
