#pragma once
#include <cstdint>

#include "platform/Platform.h"

// The clock of a run drawn frame by frame (the renderer, its capture, the
// browser's frame mode): frame k at `fps` frames per second shows demo time
// round(k * 1000 / fps) ms from the run's start, halves rounded up, and the
// sound up to its end holds round(k * rate / fps) sample frames.

// round(k * perSecond / fps), halves up, for k >= 0.
inline std::int64_t FrameShare(std::int64_t k, std::int64_t perSecond, int fps) {
  return (k * perSecond * 2 + fps) / (2LL * fps);
}

inline std::int64_t FrameTimeMs(std::int64_t k, int fps) { return FrameShare(k, 1000, fps); }

// Frames in a run from `fromMs` to `untilMs`: the last k with
// FrameTimeMs(k) <= untilMs - fromMs, plus one; 0 when untilMs < fromMs.
inline std::int64_t FrameCount(int fps, int fromMs, int untilMs) {
  if (untilMs < fromMs) return 0;
  const std::int64_t span = untilMs - fromMs;
  std::int64_t k = span * fps / 1000;
  while (FrameTimeMs(k + 1, fps) <= span) ++k;
  while (k > 0 && FrameTimeMs(k, fps) > span) --k;
  return k + 1;
}

// The platform clock of such a run: one tick per millisecond, set to each
// frame's demo time before the frame is drawn.
class SteppedClock : public Clock {
 public:
  std::int64_t Frequency() override { return 1000; }
  std::int64_t Counter() override { return now; }
  std::int64_t now = 0;
};
