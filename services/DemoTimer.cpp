#include "services/DemoTimer.h"

#include <cstdlib>
#include <limits>

#include "platform/Platform.h"

DemoTimer::DemoTimer(Clock* clock) : clock(clock), frequency(clock->Frequency()) {}

void DemoTimer::Start() { startCount = clock->Counter(); }

std::int32_t DemoTimer::TicksToMs(std::int64_t ticks, std::int64_t frequency) {
  if (frequency == 0) return -1;
  // ticks * 1000 / frequency, rounded to nearest with halves away from zero.
  __int128 num = static_cast<__int128>(ticks) * 1000;
  __int128 den = frequency;
  __int128 q = num / den;
  __int128 r = num % den;
  __int128 absR = r < 0 ? -r : r;
  __int128 absDen = den < 0 ? -den : den;
  if (2 * absR >= absDen) q += ((num < 0) != (den < 0)) ? -1 : 1;
  if (q > std::numeric_limits<std::int32_t>::max() || q < std::numeric_limits<std::int32_t>::min())
    return -1;
  return static_cast<std::int32_t>(q);
}

std::int32_t DemoTimer::ElapsedMs() {
  nowCount = clock->Counter();
  return TicksToMs(nowCount - startCount, frequency);
}

void DemoTimer::Pause() {
  nowCount = clock->Counter();
  pausedTicks = nowCount - startCount;
}

void DemoTimer::Resume() {
  std::int64_t t = clock->Counter();
  startCount = t - pausedTicks;
}
