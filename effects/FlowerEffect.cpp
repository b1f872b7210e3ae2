#include "effects/FlowerEffect.h"

void FlowerEffect::Init() {}

bool FlowerEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
