#include "effects/SpaceFlightEffect.h"

void SpaceFlightEffect::Init() {}

bool SpaceFlightEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
