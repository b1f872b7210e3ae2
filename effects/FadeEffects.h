#pragma once
#include "effects/Effect.h"

// What the two faders share: a full-screen quad in grey level `grey`, and the
// two parameters that the Timeline sets before every use.
class FaderEffect : public Effect {
 public:
  using Effect::Effect;
  // SetParam's parameter numbers; other numbers change nothing.
  static constexpr int Duration = 1;  // fade length, milliseconds
  static constexpr int Grey = 2;      // fade colour, 0 (black) to 1 (white)

  void Init() override {}
  void SetParam(int which, float value) override;

 protected:
  void DrawQuad(float alpha);  // alpha is passed as it is; OpenGL clamps it

  float duration = 0;  // fade length, milliseconds
  float grey = 0;      // fade colour: 0 = black, 1 = white
};

// Alpha runs from 1 to 0 over `duration` ms: the scene emerges from the colour.
class FadeInEffect : public FaderEffect {
 public:
  using FaderEffect::FaderEffect;
  bool Render(int now, int start) override;
};

// Alpha runs from 0 to 1 over `duration` ms: the scene disappears into the colour.
class FadeOutEffect : public FaderEffect {
 public:
  using FaderEffect::FaderEffect;
  bool Render(int now, int start) override;
};
