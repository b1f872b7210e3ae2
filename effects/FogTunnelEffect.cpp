#include "effects/FogTunnelEffect.h"

void FogTunnelEffect::Init() {}

bool FogTunnelEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
