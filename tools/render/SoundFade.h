#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

// The capture's sound fades out over the last `fade` sample frames before the
// cut at frame `total`, so the cut does not click: frame n of that stretch is
// scaled by (total - n) / fade. `samples` holds interleaved frames from frame
// `first` on, a piece of the track at a time.
inline void FadeBeforeCut(std::vector<float>& samples, int channels, std::int64_t first, std::int64_t total,
                          std::int64_t fade) {
  const std::int64_t until = first + static_cast<std::int64_t>(samples.size()) / channels;
  for (std::int64_t n = std::max(first, total - fade); n < until; ++n) {
    const float gain = static_cast<float>(total - n) / static_cast<float>(fade);
    for (int c = 0; c < channels; ++c) samples[static_cast<std::size_t>((n - first) * channels + c)] *= gain;
  }
}
