#pragma once
#include "effects/Effect.h"

class ClosingCreditsEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;
};
