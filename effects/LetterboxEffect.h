#pragma once
#include "effects/Effect.h"

// Two black bars over the top and bottom of every frame, drawn last. Each
// covers about 13.8 % of the view height.
class LetterboxEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override {}
  bool Render(int now, int start) override;
};
