#include "effects/PresentsEffect.h"

void PresentsEffect::Init() {}

bool PresentsEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
