#pragma once
#include <cstdint>

class Clock;

// The demo clock: whole milliseconds of demo time from a monotonic counter,
// with pause, resume and restart. The arithmetic is 64-bit so that any
// counter frequency (nanosecond counters included) gives exact results.
class DemoTimer {
 public:
  explicit DemoTimer(Clock* clock);  // reads the counter frequency once

  void Start();             // demo time 0 is now
  std::int32_t ElapsedMs(); // rounded half away from zero; -1 for frequency 0 or overflow
  void Pause();
  void Resume();            // continue from the time reached at Pause

  // Counter ticks to milliseconds with the rounding of ElapsedMs.
  static std::int32_t TicksToMs(std::int64_t ticks, std::int64_t frequency);

 private:
  Clock* clock;
  std::int64_t frequency = 0;    // ticks per second
  std::int64_t startCount = 0;   // counter value at demo time 0
  std::int64_t nowCount = 0;     // counter value of the latest reading
  std::int64_t pausedTicks = 0;  // demo time in ticks when Pause was called
};
