#pragma once
#include "effects/Effect.h"

// 113-123 s: a flight through an elliptic, textured tunnel that fades into
// white fog; the tunnel shakes in four short slots, two lyric lines slide by.
class FogTunnelEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  float pi = 0;      // set by Init
  float jitter = 0;  // downward shift of the tunnel this frame, GL units
};
