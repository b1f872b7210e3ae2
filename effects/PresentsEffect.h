#pragma once
#include "effects/Effect.h"

// The "presents" caption on black, cross-fading from its Arabic-script
// picture to its Latin-script one. Window (12000, 15000).
class PresentsEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;
};
