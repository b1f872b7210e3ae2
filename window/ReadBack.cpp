#include "window/ReadBack.h"

#include <GL/gl.h>

void ReadBackPixels(int x, int y, int width, int height, unsigned char* rgba) {
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}
