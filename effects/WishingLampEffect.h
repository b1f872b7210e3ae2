#pragma once
#include "effects/Effect.h"
#include "effects/LampScene.h"

// The second lamp, composed like the flickering lamp scene: a slowly turning
// bright background, 80 light circles creeping clockwise along wide arcs, a
// lamp that turns and flickers at four moments, two columns of rings rising at
// the right edge and a lyric line drifting right.
class WishingLampEffect : public Effect {
 public:
  using Effect::Effect;
  // Loads its textures (not circle01: the flickering lamp scene, initialised
  // earlier, loads it) and draws 320 random values.
  void Init() override;
  bool Render(int now, int start) override;

  ArcSprite lightCircles[80] = {};  // angles advance after every frame, never reset
  float pi = 0;
  float flickerScale = 1;  // the lamp's scale in the latest frame
};
