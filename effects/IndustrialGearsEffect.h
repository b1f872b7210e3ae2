#pragma once
#include "effects/Effect.h"
#include "services/TriModel.h"

// Window (102000, 113000): four grey lit gears with black edge lines turning in
// front of an industry photograph on white; in four short slots they jump to
// random sizes (one draw of the shared generator per frame). Two captions.
class IndustrialGearsEffect : public Effect {
 public:
  using Effect::Effect;
  void Init() override;
  bool Render(int now, int start) override;

  float flickerScale = 1.0f;  // size factor of the gears, recomputed in every frame
  TriModel gear{240};
  float pi = 0;
  float gearColor[4] = {};
  float lightAmbient[4] = {};
  float lightDiffuse[4] = {};
  float lightSpecular[4] = {};
  float lightPosition[4] = {};  // x and z follow the time; y 0, w 1
};
