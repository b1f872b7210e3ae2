#pragma once
#include "effects/CircleTable.h"
#include "effects/Effect.h"

// 123-145 s: the photos wrapped once around an open, leaning cylinder that
// stands around the viewer and turns; the wall stretches on eight beats.
class PhotoCylinderEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  // Vertical stretch of the wall at `elapsed` ms into the scene, GL units.
  static float PulseAt(int elapsed);

  float circlePoints[kCirclePointCount][3] = {};  // base circle, filled by Init
  float pi = 0;                                   // set by Init
  float pulse = 0;                                // stretch of this frame
};
