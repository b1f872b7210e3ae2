#include "effects/WishingLampEffect.h"

void WishingLampEffect::Init() {}

bool WishingLampEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
