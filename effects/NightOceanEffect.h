#pragma once
#include "effects/Effect.h"
#include "services/TriModel.h"

// A lit water surface of 48 x 48 cells under a night-sky panel; it tilts
// forward, breathes in depth and drifts sideways while its waves travel by a
// fixed step per frame. A lyric line drifts across the lower part.
// Window (32500, 43500).
class NightOceanEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  float phase = 0;           // radians added to every sine of the surface
  int gridSize = 0;          // cells per side
  float amplitude = 0;       // height factor
  float phaseStep = 0;       // added to the phase once per frame
  Vec3 cellNormal{0, 0, 0};  // face normal of the cell being drawn

 private:
  float Height(int r, int c) const;
};
