#pragma once
#include "effects/Effect.h"

// One faint line sprite of the closing credits, falling at its own speed.
struct FallingLine {
  float alpha;       // opacity of the sprite
  float x;           // horizontal centre
  float halfHeight;  // half the sprite's height
  float fallSpeed;   // downward step per frame: halfHeight / 100
  float y;           // vertical centre; only this changes after Init
};

// The last scene: a dim background, 128 falling line sprites, a darkening
// panel on the left with the credits picture, and the party picture fading in
// on the right after five seconds.
class ClosingCreditsEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  static constexpr int kLines = 128;

  float pi = 0.0f;
  FallingLine lines[kLines] = {};  // filled by Init from the program-wide generator
};
