#pragma once
#include "effects/Effect.h"

// The opening scene: a lit sand terrain of 16 x 16 cells under a day-sky
// panel. Played in two windows, (0, 8500) and (15750, 32500): the first one
// zooms out of the centre with a projection of its own, the second one shows
// the title and two lyric lines and, after 24000 ms, sets the waves moving.
class DesertDunesEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  float phase = 0;      // radians added to every sine of the terrain; moves only after 24000 ms
  int gridSize = 0;     // cells per side
  float amplitude = 0;  // height factor
  float phaseStep = 0;  // what the latest frame added to the phase
  float pi = 0;         // pi in single precision, for the overlay fades

 private:
  float Height(int r, int c) const;
  void Overlay(int slot, float x, float y, float z, float alpha, float w);
};
