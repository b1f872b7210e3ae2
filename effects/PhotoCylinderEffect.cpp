#include "effects/PhotoCylinderEffect.h"

void PhotoCylinderEffect::Init() {}

bool PhotoCylinderEffect::Render(int now, int start) {
  elapsed = now - start;
  return true;
}
