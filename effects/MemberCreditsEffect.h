#pragma once
#include "effects/Effect.h"
#include "effects/LampScene.h"

// Two of the group's members on black: over a barely visible background and a
// faint group logo, 180 translucent rings creep clockwise along wide arcs and a
// long strip drifts right while its opacity swells; the pictures `pelmar` and
// `drevko` fade in and out one after the other in the middle.
class MemberCreditsEffect : public Effect {
 public:
  using Effect::Effect;
  // Loads its textures, also background02, le1 and ring02, which other scenes
  // load as well (a second Load does nothing), so the scene never depends on
  // them; draws 720 random values.
  void Init() override;
  bool Render(int now, int start) override;

  float pi = 0;
  ArcSprite rings[180] = {};  // angles advance after every frame, never reset
};
