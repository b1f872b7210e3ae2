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

void DrawOutlinedMesh(const TriModel& model, int count, const float color[4], GLenum outline, int finishEvery) {
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  for (int i = 0; i < count; ++i) {
    glColor4fv(color);
    DrawFace(model[i]);
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawEdges(model[i], outline);
    if (finishEvery > 0 && (i + 1) % finishEvery == 0) glFinish();
  }
  glColor4fv(color);  // the material as the last face left it
  glDisable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  glColor3f(0.0f, 0.0f, 0.0f);
}

void SetColor(float* target, float r, float g, float b, float a) {
  target[0] = r;
  target[1] = g;
  target[2] = b;
  target[3] = a;
}
