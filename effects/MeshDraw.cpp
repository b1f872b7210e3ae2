#include "effects/MeshDraw.h"

void DrawFace(const Triangle& triangle) {
  glBegin(GL_TRIANGLES);
  glNormal3f(triangle.normal.x, triangle.normal.y, triangle.normal.z);
  for (const Vec3& v : triangle.vertices) glVertex3f(v.x, v.y, v.z);
  glEnd();
}

void DrawEdges(const Triangle& triangle, GLenum mode) {
  glBegin(mode);
  for (const Vec3& v : triangle.vertices) glVertex3f(v.x, v.y, v.z);
  glEnd();
}

void SetColor(float* target, float r, float g, float b, float a) {
  target[0] = r;
  target[1] = g;
  target[2] = b;
  target[3] = a;
}
