#pragma once
#include "effects/Effect.h"
#include "services/TriModel.h"

// Window (75000, 86000): a turning background and a drifting photograph, a lit
// ball of white hexagon patches (thin black outlines) and black pentagon
// patches that swells to 1.5 times its size three times, and one caption.
class BallEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  TriModel hexagons{120};
  TriModel pentagons{60};
  float swell = 1.0f;  // uniform scale of the ball, set in every frame
  float hexagonColor[4] = {};
  float pentagonColor[4] = {};
};
