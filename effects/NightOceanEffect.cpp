#include "effects/NightOceanEffect.h"

void NightOceanEffect::Init() {}

bool NightOceanEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
