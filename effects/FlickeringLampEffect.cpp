#include "effects/FlickeringLampEffect.h"

void FlickeringLampEffect::Init() {}

bool FlickeringLampEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
