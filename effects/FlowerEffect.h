#pragma once
#include "effects/Effect.h"
#include "services/TriModel.h"

// Window (65000, 75000): a turning background and a drifting photograph, a lit
// flower (petals, stamens, stem; every triangle filled, then outlined in black)
// that turns by a fixed step per frame with four short bursts, and two captions.
class FlowerEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  TriModel petals{1320};
  TriModel stamens{40};
  TriModel stem{808};
  float spin = 0;      // degrees; carries over between frames and showings
  float spinStep = 0;  // degrees per frame, set in every frame before use
  float petalColor[4] = {};
  float stamenColor[4] = {};
  float stemColor[4] = {};
  float lightAmbient[4] = {};
  float lightDiffuse[4] = {};
  float lightSpecular[4] = {};
  float lightPosition[4] = {};  // (0, 0, t, t): just in front of the photograph's centre
};
