#include "effects/MemberCreditsEffect.h"

void MemberCreditsEffect::Init() {}

bool MemberCreditsEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
