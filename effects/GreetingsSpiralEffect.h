#pragma once
#include "effects/CircleTable.h"
#include "effects/Effect.h"

// 155-177 s: four textured bands wind as a helix around the viewer, turn,
// sink and jump on the beats; ring columns rise at the left, the background
// dims in short pulses. Draws with the window's own projection.
class GreetingsSpiralEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  float circlePoints[kCirclePointCount][3] = {};  // base circle, filled by Init
  float shift = 0;  // offset of this frame
  float fade = 1;   // background alpha; drops 0.01 per frame inside a dim slot
};
