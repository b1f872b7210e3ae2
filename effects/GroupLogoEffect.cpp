#include "effects/GroupLogoEffect.h"

void GroupLogoEffect::Init() {}

bool GroupLogoEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
