#include "effects/GreetingsSpiralEffect.h"

void GreetingsSpiralEffect::Init() {}

bool GreetingsSpiralEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
