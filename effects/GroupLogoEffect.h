#pragma once
#include "effects/Effect.h"

// The group's logo on black, with the group's name below it cross-fading from
// its Arabic-script picture to its Latin-script one. Window (8500, 11500).
class GroupLogoEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;
};
