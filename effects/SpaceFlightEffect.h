#pragma once
#include "effects/Effect.h"

// The flight through a seeded cloud of 3000 star sprites past six planets,
// before a sliding starfield, with a scrolling side strip and two lyric lines.
// Uses its own square projection and leaves it set (far plane 100).
class SpaceFlightEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  // One textured square of edge `size` centred at (x, y, z), turned about the
  // y axis by yawCos/yawSin to face the viewer. Changes no GL state.
  void DrawBillboard(int x, int y, int z, float size);

  float pi = 0.0f;
  float yaw = 0.0f;     // turn of the cloud, degrees; +0.02 per frame
  float yawCos = 0.0f;  // of the whole-degree part of yaw, set each frame
  float yawSin = 0.0f;
  float travel = 0.0f;  // distance flown; +speed per frame
  float speed = 0.0f;   // this frame's step of travel
};
