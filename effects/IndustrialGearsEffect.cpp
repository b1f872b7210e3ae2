#include "effects/IndustrialGearsEffect.h"

void IndustrialGearsEffect::Init() {}

bool IndustrialGearsEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
