#include "effects/ClosingCreditsEffect.h"

void ClosingCreditsEffect::Init() {}

bool ClosingCreditsEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
