#include "effects/BallEffect.h"

void BallEffect::Init() {}

bool BallEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
