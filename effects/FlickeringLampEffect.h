#pragma once
#include "effects/Effect.h"
#include "effects/LampScene.h"

// A lamp turning slowly about the vertical axis in front of a bright
// background; it flickers in size at four moments. Behind it 80 light circles
// creep clockwise along wide arcs, two columns of rings rise at the left edge,
// and a lyric line fades in and out while drifting left.
class FlickeringLampEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;  // loads its textures, draws 320 random values
  bool Render(int now, int start) override;

  float pi = 0;
  float flickerScale = 1;         // the lamp's scale in the latest frame
  ArcSprite lightCircles[80] = {};  // angles advance after every frame, never reset
};
