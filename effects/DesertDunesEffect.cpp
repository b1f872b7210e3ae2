#include "effects/DesertDunesEffect.h"

void DesertDunesEffect::Init() {}

bool DesertDunesEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
