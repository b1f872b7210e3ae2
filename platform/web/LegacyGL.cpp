// Our layer over Emscripten's legacy GL emulation (see LegacyGL.h). This file
// is compiled without LegacyGL.h forced in, so the gl* names here are the
// emulation's own.
#include <GL/gl.h>
#include <GL/glu.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

extern "C" void lvFlush(void);

namespace {

// One buffered vertex, as the emulation is given it (position, texture
// coordinate, colour; interleaved), plus its normal for our lighting.
struct Vertex {
  float x, y, z;
  float s, t;
  float r, g, b, a;
  float nx, ny, nz;
};

struct Light {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float position[4];  // in eye coordinates, as glLightfv transformed it
  bool enabled;
};

struct Material {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float emission[4];
  float shininess;
};

// What glPushAttrib saves: the emulation's capabilities and values that the
// demo's pushes cover, and our own state.
struct Attributes {
  unsigned mask;
  GLboolean caps[12];
  GLint viewport[4], scissor[4];
  GLfloat clearColor[4];
  GLboolean colorMask[4];
  GLboolean depthMask;
  GLint blendSrc, blendDst, depthFunc, matrixMode;
  float color[4];
  bool lighting, colorMaterial, lineSmooth;
  Light lights[8];
  Material material;
};

const GLenum kSavedCaps[12] = {GL_SCISSOR_TEST, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_BLEND, GL_FOG,
                               GL_TEXTURE_2D, GL_DITHER, GL_CULL_FACE, GL_POLYGON_OFFSET_FILL, GL_TEXTURE_1D,
                               GL_COLOR_LOGIC_OP};

struct State {
  GLenum mode = 0;
  bool inside = false;
  std::vector<Vertex> vertices;
  std::vector<Vertex> out;
  float color[4] = {1, 1, 1, 1};
  float texCoord[2] = {0, 0};
  float normal[3] = {0, 0, 1};
  bool lighting = false, colorMaterial = false, lineSmooth = false, normalize = false, texture2D = false;
  GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
  Light lights[8];
  Material material;
  std::vector<Attributes> attributeStack;
  GLuint boundTexture = 0;
  std::unordered_map<GLuint, GLenum> textureFormats;  // the format each texture's level 0 was given
  float rasterX = 0, rasterY = 0;                       // window coordinates of the raster position
  float zoomX = 1, zoomY = 1;
  GLuint pixelTexture = 0;                              // scratch texture for pixel rectangles
  bool depthTest = false;
  float depthNear = 0, depthFar = 1;
  // Consecutive glBegin/glEnd pairs between which nothing but colours,
  // normals, lights and materials changed are drawn together when the next
  // other GL call comes: all triangles, then all lines (see Draw).
  std::vector<Vertex> batch;      // triangles (3 vertices) and line segments (2), in the order given
  std::vector<float> primitives;  // per primitive: 0 for a triangle, else the line's half width in pixels
  bool batchHasLines = false;
} st;


void Set4(float* to, float a, float b, float c, float d) {
  to[0] = a, to[1] = b, to[2] = c, to[3] = d;
}

void ResetLights() {
  for (int i = 0; i < 8; ++i) {
    Light& l = st.lights[i];
    Set4(l.ambient, 0, 0, 0, 1);
    const float on = i == 0 ? 1.0f : 0.0f;
    Set4(l.diffuse, on, on, on, 1);
    Set4(l.specular, on, on, on, 1);
    Set4(l.position, 0, 0, 1, 0);
    l.enabled = false;
  }
  Set4(st.material.ambient, 0.2f, 0.2f, 0.2f, 1);
  Set4(st.material.diffuse, 0.8f, 0.8f, 0.8f, 1);
  Set4(st.material.specular, 0, 0, 0, 1);
  Set4(st.material.emission, 0, 0, 0, 1);
  st.material.shininess = 0;
}

float Clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

// The current colour also becomes the material while colour material is on,
// and stays the material after it is turned off, as in GL.
void ColorChanged() {
  if (!st.colorMaterial) return;
  if (st.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE || st.colorMaterialMode == GL_AMBIENT)
    std::memcpy(st.material.ambient, st.color, sizeof st.color);
  if (st.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE || st.colorMaterialMode == GL_DIFFUSE)
    std::memcpy(st.material.diffuse, st.color, sizeof st.color);
}

// GL 1.1 lighting of one vertex in eye coordinates: a light model ambient of
// 0.2, an infinite viewer, one-sided, no attenuation or spot (the defaults the
// demo keeps). The normal is transformed but not renormalised, as GL does
// without GL_NORMALIZE, so a scaled model is lit brighter or darker.
void LightVertex(Vertex& v, const float* m, const float* normalMatrix) {
  const float ex = m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12];
  const float ey = m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13];
  const float ez = m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14];
  const float ew = m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15];
  const float px = ew != 0 ? ex / ew : ex, py = ew != 0 ? ey / ew : ey, pz = ew != 0 ? ez / ew : ez;
  float nx = normalMatrix[0] * v.nx + normalMatrix[3] * v.ny + normalMatrix[6] * v.nz;
  float ny = normalMatrix[1] * v.nx + normalMatrix[4] * v.ny + normalMatrix[7] * v.nz;
  float nz = normalMatrix[2] * v.nx + normalMatrix[5] * v.ny + normalMatrix[8] * v.nz;
  if (st.normalize) {
    const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len > 0) nx /= len, ny /= len, nz /= len;
  }
  Material mat = st.material;
  if (st.colorMaterial) {
    const float c[4] = {v.r, v.g, v.b, v.a};
    if (st.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE || st.colorMaterialMode == GL_AMBIENT)
      std::memcpy(mat.ambient, c, sizeof c);
    if (st.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE || st.colorMaterialMode == GL_DIFFUSE)
      std::memcpy(mat.diffuse, c, sizeof c);
  }
  float sum[3];
  for (int k = 0; k < 3; ++k) sum[k] = mat.emission[k] + mat.ambient[k] * 0.2f;
  for (const Light& l : st.lights) {
    if (!l.enabled) continue;
    float lx, ly, lz;
    if (l.position[3] != 0) {
      lx = l.position[0] / l.position[3] - px;
      ly = l.position[1] / l.position[3] - py;
      lz = l.position[2] / l.position[3] - pz;
    } else {
      lx = l.position[0], ly = l.position[1], lz = l.position[2];
    }
    const float len = std::sqrt(lx * lx + ly * ly + lz * lz);
    if (len > 0) lx /= len, ly /= len, lz /= len;
    const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    float specular = 0;
    if (diffuse > 0 && (mat.specular[0] != 0 || mat.specular[1] != 0 || mat.specular[2] != 0)) {
      float hx = lx, hy = ly, hz = lz + 1;
      const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
      if (hl > 0) hx /= hl, hy /= hl, hz /= hl;
      const float nh = std::max(0.0f, nx * hx + ny * hy + nz * hz);
      specular = mat.shininess == 0 ? 1.0f : std::pow(nh, mat.shininess);
    }
    for (int k = 0; k < 3; ++k)
      sum[k] += l.ambient[k] * mat.ambient[k] + diffuse * l.diffuse[k] * mat.diffuse[k] +
                specular * l.specular[k] * mat.specular[k];
  }
  v.r = Clamp01(sum[0]);
  v.g = Clamp01(sum[1]);
  v.b = Clamp01(sum[2]);
  v.a = Clamp01(mat.diffuse[3]);
}

// The inverse transpose of the modelview's upper 3x3 (column-major), which
// carries normals into eye coordinates.
void NormalMatrix(const float* m, float* n) {
  const float a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
  const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
  const float inv = det != 0 ? 1.0f / det : 0.0f;
  // The cofactors, which are the inverse transposed times the determinant.
  n[0] = (e * i - f * h) * inv, n[3] = -(d * i - f * g) * inv, n[6] = (d * h - e * g) * inv;
  n[1] = -(b * i - c * h) * inv, n[4] = (a * i - c * g) * inv, n[7] = -(a * h - b * g) * inv;
  n[2] = (b * f - c * e) * inv, n[5] = -(a * f - c * d) * inv, n[8] = (a * e - b * d) * inv;
  // Stored as n[column * 3 + row], as LightVertex reads it.
}

// Identity projection and modelview matrices for a scope; the matrices and
// the matrix mode are put back when it ends.
struct IdentityMatrices {
  GLint mode = 0;
  IdentityMatrices() {
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
  }
  ~IdentityMatrices() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(mode));
  }
  IdentityMatrices(const IdentityMatrices&) = delete;
  IdentityMatrices& operator=(const IdentityMatrices&) = delete;
};

void Draw(GLenum mode, const std::vector<Vertex>& vertices) {
  if (vertices.empty()) return;

  const GLsizei stride = sizeof(Vertex);
  const Vertex* v = vertices.data();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, stride, &v->x);
  glTexCoordPointer(2, GL_FLOAT, stride, &v->s);
  glColorPointer(4, GL_FLOAT, stride, &v->r);
  glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

// A batch with lines, drawn in one go in its own order: every vertex taken to
// clip coordinates here, each line segment made into two triangles in window
// coordinates (WebGL's own lines are one pixel wide and rasterised unlike
// Mesa's), then drawn with identity matrices. The batch's matrices are those
// of this moment: any matrix call draws the batch first.
void DrawWithLines() {
  float mv[16], p[16], m[16];
  GLint viewport[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  glGetIntegerv(GL_VIEWPORT, viewport);
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += p[k * 4 + r] * mv[c * 4 + k];
      m[c * 4 + r] = sum;
    }
  struct Clip {
    float x, y, z, w;
  };
  auto toClip = [&](const Vertex& v) {
    return Clip{m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
                m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14], m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15]};
  };
  const float halfW = viewport[2] / 2.0f, halfH = viewport[3] / 2.0f;
  std::vector<float> positions;  // x y z w per output vertex
  std::vector<Vertex> out;
  auto emit = [&](const Vertex& v, const Clip& c) {
    out.push_back(v);
    positions.insert(positions.end(), {c.x, c.y, c.z, c.w});
  };
  std::size_t at = 0;
  for (float half : st.primitives) {
    if (half == 0) {
      for (int k = 0; k < 3; ++k, ++at) emit(st.batch[at], toClip(st.batch[at]));
      continue;
    }
    const Vertex& a = st.batch[at];
    const Vertex& b = st.batch[at + 1];
    at += 2;
    const Clip ca = toClip(a), cb = toClip(b);
    if (ca.w <= 0 || cb.w <= 0) continue;  // a line through the eye's plane: not in the demo
    // Window coordinates (pixels) and depth in normalised coordinates.
    const float ax = ca.x / ca.w * halfW, ay = ca.y / ca.w * halfH, az = ca.z / ca.w;
    const float bx = cb.x / cb.w * halfW, by = cb.y / cb.w * halfH, bz = cb.z / cb.w;
    float dx = bx - ax, dy = by - ay;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len == 0) continue;
    dx /= len, dy /= len;
    float ux, uy, vx, vy;  // along the line, across it
    if (half == 0.5f) {
      // A parallelogram of one pixel across the line's major axis.
      ux = 0, uy = 0;
      if (std::fabs(dx) >= std::fabs(dy)) vx = 0, vy = 0.5f;
      else vx = 0.5f, vy = 0;
    } else {
      ux = dx * half * 0.5f, uy = dy * half * 0.5f, vx = -dy * half, vy = dx * half;
    }
    const float corners[4][3] = {{ax - ux - vx, ay - uy - vy, az}, {bx + ux - vx, by + uy - vy, bz},
                                 {bx + ux + vx, by + uy + vy, bz}, {ax - ux + vx, ay - uy + vy, az}};
    const Vertex* ends[4] = {&a, &b, &b, &a};
    for (int k : {0, 1, 2, 0, 2, 3})
      emit(*ends[k], Clip{corners[k][0] / halfW, corners[k][1] / halfH, corners[k][2], 1.0f});
  }
  if (out.empty()) return;
  const IdentityMatrices identity;
  const GLsizei stride = sizeof(Vertex);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(4, GL_FLOAT, 4 * sizeof(float), positions.data());
  glTexCoordPointer(2, GL_FLOAT, stride, &out[0].s);
  glColorPointer(4, GL_FLOAT, stride, &out[0].r);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(out.size()));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

// Every primitive as separate triangles or line segments (points stay
// points): a quad (0 1 2 3) as (0 1 2) and (0 2 3), a quad strip's quads as
// GL orders them.
GLenum Triangulate(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out) {
  out.clear();
  switch (mode) {
    case GL_QUADS:
      for (std::size_t q = 0; q + 3 < in.size(); q += 4) {
        for (int k : {0, 1, 2, 0, 2, 3}) out.push_back(in[q + k]);
      }
      return GL_TRIANGLES;
    case GL_QUAD_STRIP:
      // Quad k is (2k, 2k+1, 2k+3, 2k+2) in GL's order.
      for (std::size_t q = 0; q + 3 < in.size(); q += 2) {
        for (int k : {0, 1, 3, 0, 3, 2}) out.push_back(in[q + k]);
      }
      return GL_TRIANGLES;
    case GL_TRIANGLE_STRIP:
      for (std::size_t k = 0; k + 2 < in.size(); ++k) {
        for (std::size_t i : {k & 1 ? k + 1 : k, k & 1 ? k : k + 1, k + 2}) out.push_back(in[i]);
      }
      return GL_TRIANGLES;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      // As separate segments, so that they can be drawn with other lines.
      for (std::size_t k = 0; k + 1 < in.size(); ++k) {
        out.push_back(in[k]);
        out.push_back(in[k + 1]);
      }
      if (mode == GL_LINE_LOOP && in.size() > 2) {
        out.push_back(in.back());
        out.push_back(in[0]);
      }
      return GL_LINES;
    case GL_LINES:
      out.assign(in.begin(), in.begin() + static_cast<long>(in.size() & ~std::size_t(1)));
      return GL_LINES;
    case GL_TRIANGLES:
      out.assign(in.begin(), in.begin() + static_cast<long>(in.size() / 3 * 3));
      return GL_TRIANGLES;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (std::size_t k = 1; k + 1 < in.size(); ++k) {
        out.push_back(in[0]);
        out.push_back(in[k]);
        out.push_back(in[k + 1]);
      }
      return GL_TRIANGLES;
    default:
      out = in;
      return mode;
  }
}

// A window-coordinate rectangle filled with the scratch texture, drawn with
// identity matrices over the current viewport.
void DrawPixelRect(float x, float y, float w, float h, float s1, float t1) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const float x0 = (x - viewport[0]) / viewport[2] * 2 - 1, x1 = (x + w - viewport[0]) / viewport[2] * 2 - 1;
  const float y0 = (y - viewport[1]) / viewport[3] * 2 - 1, y1 = (y + h - viewport[1]) / viewport[3] * 2 - 1;
  const IdentityMatrices identity;
  const bool texturing = st.texture2D;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, st.pixelTexture);
  std::vector<Vertex> quad;
  const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, s1, 0}, {x1, y1, s1, t1}, {x0, y1, 0, t1}};
  for (int k : {0, 1, 2, 0, 2, 3}) {
    Vertex v{};
    v.x = corners[k][0], v.y = corners[k][1], v.z = 0;
    v.s = corners[k][2], v.t = corners[k][3];
    v.r = v.g = v.b = v.a = 1;
    quad.push_back(v);
  }
  Draw(GL_TRIANGLES, quad);
  glBindTexture(GL_TEXTURE_2D, st.boundTexture);
  if (!texturing) glDisable(GL_TEXTURE_2D);
}

void PreparePixelTexture() {
  if (!st.pixelTexture) glGenTextures(1, &st.pixelTexture);
  glBindTexture(GL_TEXTURE_2D, st.pixelTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

extern "C" {

void lvResetState(void) {
  st = State();
  ResetLights();
}

void lvBegin(unsigned int mode) {
  st.mode = mode;
  st.inside = true;
  st.vertices.clear();
}

void lvEnd(void) {
  st.inside = false;
  if (st.lighting) {
    float m[16], n[9];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    NormalMatrix(m, n);
    for (Vertex& v : st.vertices) LightVertex(v, m, n);
  }
  const GLenum mode = Triangulate(st.mode, st.vertices, st.out);
  if (mode == GL_TRIANGLES) {
    st.batch.insert(st.batch.end(), st.out.begin(), st.out.end());
    st.primitives.insert(st.primitives.end(), st.out.size() / 3, 0.0f);
  } else if (mode == GL_LINES) {
    st.batch.insert(st.batch.end(), st.out.begin(), st.out.end());
    // Mesa draws a one-pixel line as a parallelogram of one pixel across;
    // a smoothed one (whatever its width below one) about as a rectangle
    // reaching a pixel to each side of the line and half a pixel beyond its
    // ends, whose coverage only matters with blending (the demo's have none).
    st.primitives.insert(st.primitives.end(), st.out.size() / 2, st.lineSmooth ? 1.0f : 0.5f);
    st.batchHasLines = true;
  } else {
    lvFlush();
    Draw(mode, st.out);
  }
}

void lvFlush(void) {
  if (st.batch.empty()) return;
  if (st.batchHasLines) DrawWithLines();
  else Draw(GL_TRIANGLES, st.batch);
  st.batch.clear();
  st.primitives.clear();
  st.batchHasLines = false;
}

void lvVertex3f(float x, float y, float z) {
  Vertex v;
  v.x = x, v.y = y, v.z = z;
  v.s = st.texCoord[0], v.t = st.texCoord[1];
  v.r = st.color[0], v.g = st.color[1], v.b = st.color[2], v.a = st.color[3];
  if (!st.lighting) v.r = Clamp01(v.r), v.g = Clamp01(v.g), v.b = Clamp01(v.b), v.a = Clamp01(v.a);
  v.nx = st.normal[0], v.ny = st.normal[1], v.nz = st.normal[2];
  if (st.inside) st.vertices.push_back(v);
}

void lvVertex2f(float x, float y) { lvVertex3f(x, y, 0); }
void lvTexCoord2f(float s, float t) { st.texCoord[0] = s, st.texCoord[1] = t; }
void lvNormal3f(float x, float y, float z) { st.normal[0] = x, st.normal[1] = y, st.normal[2] = z; }

void lvColor4f(float r, float g, float b, float a) {
  Set4(st.color, r, g, b, a);
  ColorChanged();
}
void lvColor3f(float r, float g, float b) { lvColor4f(r, g, b, 1); }
void lvColor4fv(const float* v) { lvColor4f(v[0], v[1], v[2], v[3]); }

// Lighting, colour material, line smoothing and normalising are ours; the
// rest goes to the emulation, which ignores what WebGL has not. Texturing goes
// to both: the emulation cannot tell whether it is on.
static bool OwnCap(unsigned cap, bool on, bool set) {
  if (cap == GL_TEXTURE_2D && set) st.texture2D = on;
  if (cap == GL_DEPTH_TEST && set) st.depthTest = on;
  bool* flag = nullptr;
  if (cap == GL_LIGHTING) flag = &st.lighting;
  else if (cap == GL_COLOR_MATERIAL) flag = &st.colorMaterial;
  else if (cap == GL_LINE_SMOOTH) flag = &st.lineSmooth;
  else if (cap == GL_NORMALIZE) flag = &st.normalize;
  else if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + 8) flag = &st.lights[cap - GL_LIGHT0].enabled;
  if (!flag) return false;
  if (set) {
    const bool wasColorMaterial = st.colorMaterial;
    *flag = on;
    if (cap == GL_COLOR_MATERIAL && on && !wasColorMaterial) ColorChanged();
  }
  return true;
}

void lvEnable(unsigned int cap) {
  if (OwnCap(cap, true, true)) return;
  lvFlush();
  glEnable(cap);
}
void lvDisable(unsigned int cap) {
  if (OwnCap(cap, false, true)) return;
  lvFlush();
  glDisable(cap);
}
unsigned char lvIsEnabled(unsigned int cap) {
  if (cap == GL_LIGHTING) return st.lighting;
  if (cap == GL_COLOR_MATERIAL) return st.colorMaterial;
  if (cap == GL_LINE_SMOOTH) return st.lineSmooth;
  if (cap == GL_NORMALIZE) return st.normalize;
  if (cap == GL_TEXTURE_2D) return st.texture2D;
  if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + 8) return st.lights[cap - GL_LIGHT0].enabled;
  return glIsEnabled(cap);
}

void lvLightfv(unsigned int light, unsigned int pname, const float* p) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + 8) return;
  Light& l = st.lights[light - GL_LIGHT0];
  switch (pname) {
    case GL_AMBIENT: std::memcpy(l.ambient, p, sizeof l.ambient); break;
    case GL_DIFFUSE: std::memcpy(l.diffuse, p, sizeof l.diffuse); break;
    case GL_SPECULAR: std::memcpy(l.specular, p, sizeof l.specular); break;
    case GL_POSITION: {
      // Stored in eye coordinates, through the modelview of this moment.
      float m[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, m);
      for (int r = 0; r < 4; ++r)
        l.position[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r] * p[3];
      break;
    }
    default: break;
  }
}

void lvMaterialfv(unsigned int face, unsigned int pname, const float* p) {
  if (face == GL_BACK) return;  // one-sided lighting reads the front material only
  Material& m = st.material;
  switch (pname) {
    case GL_AMBIENT: std::memcpy(m.ambient, p, sizeof m.ambient); break;
    case GL_DIFFUSE: std::memcpy(m.diffuse, p, sizeof m.diffuse); break;
    case GL_AMBIENT_AND_DIFFUSE:
      std::memcpy(m.ambient, p, sizeof m.ambient);
      std::memcpy(m.diffuse, p, sizeof m.diffuse);
      break;
    case GL_SPECULAR: std::memcpy(m.specular, p, sizeof m.specular); break;
    case GL_EMISSION: std::memcpy(m.emission, p, sizeof m.emission); break;
    case GL_SHININESS: m.shininess = p[0]; break;
    default: break;
  }
}

void lvColorMaterial(unsigned int face, unsigned int mode) {
  (void)face;
  st.colorMaterialMode = mode;
  ColorChanged();
}

// The demo draws smooth-shaded, filled polygons only; lines are one pixel
// wide in WebGL whatever the width (the demo asks for 0.2, which GL draws one
// pixel wide too unless smoothed).
void lvShadeModel(unsigned int mode) { (void)mode; }
void lvPolygonMode(unsigned int face, unsigned int mode) { (void)face, (void)mode; }
void lvLineWidth(float width) { (void)width; }

// WebGL knows only the mipmap hint; the others are hints, so ignoring them is right.
void lvHint(unsigned int target, unsigned int mode) {
  if (target == GL_GENERATE_MIPMAP_HINT) glHint(target, mode);
}

void lvPushAttrib(unsigned int mask) {
  lvFlush();
  Attributes a;
  a.mask = mask;
  for (int i = 0; i < 12; ++i) a.caps[i] = lvIsEnabled(kSavedCaps[i]);
  glGetIntegerv(GL_VIEWPORT, a.viewport);
  glGetIntegerv(GL_SCISSOR_BOX, a.scissor);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, a.clearColor);
  glGetBooleanv(GL_COLOR_WRITEMASK, a.colorMask);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &a.depthMask);
  glGetIntegerv(GL_BLEND_SRC_RGB, &a.blendSrc);
  glGetIntegerv(GL_BLEND_DST_RGB, &a.blendDst);
  glGetIntegerv(GL_DEPTH_FUNC, &a.depthFunc);
  glGetIntegerv(GL_MATRIX_MODE, &a.matrixMode);
  std::memcpy(a.color, st.color, sizeof a.color);
  a.lighting = st.lighting, a.colorMaterial = st.colorMaterial, a.lineSmooth = st.lineSmooth;
  std::memcpy(a.lights, st.lights, sizeof a.lights);
  a.material = st.material;
  st.attributeStack.push_back(a);
}

void lvPopAttrib(void) {
  lvFlush();
  if (st.attributeStack.empty()) return;
  const Attributes a = st.attributeStack.back();
  st.attributeStack.pop_back();
  for (int i = 0; i < 12; ++i) (a.caps[i] ? lvEnable : lvDisable)(kSavedCaps[i]);
  glViewport(a.viewport[0], a.viewport[1], a.viewport[2], a.viewport[3]);
  glScissor(a.scissor[0], a.scissor[1], a.scissor[2], a.scissor[3]);
  glClearColor(a.clearColor[0], a.clearColor[1], a.clearColor[2], a.clearColor[3]);
  glColorMask(a.colorMask[0], a.colorMask[1], a.colorMask[2], a.colorMask[3]);
  glDepthMask(a.depthMask);
  glBlendFunc(static_cast<GLenum>(a.blendSrc), static_cast<GLenum>(a.blendDst));
  glDepthFunc(static_cast<GLenum>(a.depthFunc));
  glMatrixMode(static_cast<GLenum>(a.matrixMode));
  std::memcpy(st.color, a.color, sizeof a.color);
  st.lighting = a.lighting, st.colorMaterial = a.colorMaterial, st.lineSmooth = a.lineSmooth;
  std::memcpy(st.lights, a.lights, sizeof a.lights);
  st.material = a.material;
}

// The client state (vertex arrays) is the layer's own and always left off.
void lvPushClientAttrib(unsigned int mask) { (void)mask; }
void lvPopClientAttrib(void) {}

void lvGetIntegerv(unsigned int pname, int* params) {
  switch (pname) {
    case GL_BLEND_SRC: pname = GL_BLEND_SRC_RGB; break;
    case GL_BLEND_DST: pname = GL_BLEND_DST_RGB; break;
    case GL_MODELVIEW_STACK_DEPTH:
      *params = EM_ASM_INT({ return GLImmediate.matrixStack[0].length + 1; });
      return;
    case GL_PROJECTION_STACK_DEPTH:
      *params = EM_ASM_INT({ return GLImmediate.matrixStack[1].length + 1; });
      return;
    case GL_TEXTURE_STACK_DEPTH:
      *params = EM_ASM_INT({ return GLImmediate.matrixStack[2 + GLImmediate.clientActiveTexture].length + 1; });
      return;
    default: break;
  }
  glGetIntegerv(pname, params);
}

void lvGetFloatv(unsigned int pname, float* params) {
  if (pname == GL_CURRENT_COLOR) {
    std::memcpy(params, st.color, sizeof st.color);
    return;
  }
  glGetFloatv(pname, params);
}

void lvGetDoublev(unsigned int pname, double* params) {
  float values[16] = {};
  lvGetFloatv(pname, values);
  const int count = pname == GL_MODELVIEW_MATRIX || pname == GL_PROJECTION_MATRIX || pname == GL_TEXTURE_MATRIX ? 16 : 4;
  for (int i = 0; i < count; ++i) params[i] = values[i];
}

// WebGL cannot tell a texture's format; the layer remembers what it was given.
void lvGetTexLevelParameteriv(unsigned int target, int level, unsigned int pname, int* params) {
  (void)target;
  if (pname == GL_TEXTURE_ALPHA_SIZE && level == 0) {
    const auto found = st.textureFormats.find(st.boundTexture);
    *params = found != st.textureFormats.end() && (found->second == GL_RGBA || found->second == GL_ALPHA) ? 8 : 0;
    return;
  }
  *params = 0;
}

// GL 1.1's GL_CLAMP (border colour at the edges) does not exist in WebGL; the
// demo's textures have no border, so clamping to the edge is the nearest.
void lvTexParameteri(unsigned int target, unsigned int pname, int param) {
  lvFlush();
  if ((pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T) && param == GL_CLAMP) param = GL_CLAMP_TO_EDGE;
  glTexParameteri(target, pname, param);
}

void lvTexImage2D(unsigned int target, int level, int internalFormat, int width, int height, int border,
                  unsigned int format, unsigned int type, const void* pixels) {
  lvFlush();
  if (level == 0) st.textureFormats[st.boundTexture] = format;
  glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

void lvBindTexture(unsigned int target, unsigned int texture) {
  lvFlush();
  if (target == GL_TEXTURE_2D) st.boundTexture = texture;
  glBindTexture(target, texture);
}

// The raster position, in window coordinates through the current matrices.
void lvRasterPos2f(float x, float y) {
  float mv[16], p[16];
  GLint viewport[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  glGetIntegerv(GL_VIEWPORT, viewport);
  float e[4], c[4];
  for (int r = 0; r < 4; ++r) e[r] = mv[r] * x + mv[4 + r] * y + mv[12 + r];
  for (int r = 0; r < 4; ++r) c[r] = p[r] * e[0] + p[4 + r] * e[1] + p[8 + r] * e[2] + p[12 + r] * e[3];
  const float w = c[3] != 0 ? c[3] : 1;
  st.rasterX = viewport[0] + (c[0] / w + 1) * viewport[2] / 2;
  st.rasterY = viewport[1] + (c[1] / w + 1) * viewport[3] / 2;
}
void lvRasterPos2i(int x, int y) { lvRasterPos2f(static_cast<float>(x), static_cast<float>(y)); }
void lvPixelZoom(float x, float y) { st.zoomX = x, st.zoomY = y; }

// The demo only moves the raster position with an empty bitmap.
void lvBitmap(int width, int height, float xorig, float yorig, float xmove, float ymove, const unsigned char* bitmap) {
  (void)width, (void)height, (void)xorig, (void)yorig, (void)bitmap;
  st.rasterX += xmove;
  st.rasterY += ymove;
}

void lvDrawPixels(int width, int height, unsigned int format, unsigned int type, const void* pixels) {
  lvFlush();
  PreparePixelTexture();
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format, type, pixels);
  DrawPixelRect(st.rasterX, st.rasterY, width * st.zoomX, height * st.zoomY, 1, 1);
}

void lvCopyPixels(int x, int y, int width, int height, unsigned int type) {
  lvFlush();
  (void)type;
  PreparePixelTexture();
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, x, y, width, height, 0);
  DrawPixelRect(st.rasterX, st.rasterY, width * st.zoomX, height * st.zoomY, 1, 1);
}

void lvDepthRange(double zNear, double zFar) {
  lvFlush();
  st.depthNear = static_cast<float>(zNear < 0 ? 0 : zNear > 1 ? 1 : zNear);
  st.depthFar = static_cast<float>(zFar < 0 ? 0 : zFar > 1 ? 1 : zFar);
  glDepthRange(st.depthNear, st.depthFar);
}

void lvFeedbackBuffer(int size, unsigned int type, float* buffer) { (void)size, (void)type, (void)buffer; }
void lvGenQueries(int n, unsigned int* ids) {
  for (int i = 0; i < n; ++i) ids[i] = 0;
}
void lvDeleteQueries(int n, const unsigned int* ids) { (void)n, (void)ids; }
void lvBeginQuery(unsigned int target, unsigned int id) { (void)target, (void)id; }
void lvEndQuery(unsigned int target) { (void)target; }
void lvGetQueryObjectuiv(unsigned int id, unsigned int pname, unsigned int* params) {
  (void)id, (void)pname;
  *params = 0;
}
int lvRenderMode(unsigned int mode) {
  (void)mode;
  return 0;
}

// The rest of what the demo calls that draws or changes how drawing is done:
// the batch is drawn first, then the call goes on unchanged.
#define LV_PASS(name, params, args) \
  void lv_##name params {            \
    lvFlush();                       \
    name args;                       \
  }
LV_PASS(glLoadIdentity, (void), ())
LV_PASS(glTranslatef, (float x, float y, float z), (x, y, z))
LV_PASS(glRotatef, (float a, float x, float y, float z), (a, x, y, z))
LV_PASS(glScalef, (float x, float y, float z), (x, y, z))
LV_PASS(glMatrixMode, (unsigned int mode), (mode))
LV_PASS(glPushMatrix, (void), ())
LV_PASS(glPopMatrix, (void), ())
LV_PASS(glLoadMatrixf, (const float* m), (m))
LV_PASS(glClearColor, (float r, float g, float b, float a), (r, g, b, a))
LV_PASS(glClear, (unsigned int mask), (mask))
LV_PASS(glBlendFunc, (unsigned int s, unsigned int d), (s, d))
LV_PASS(glScissor, (int x, int y, int w, int h), (x, y, w, h))
LV_PASS(glViewport, (int x, int y, int w, int h), (x, y, w, h))
LV_PASS(glFogf, (unsigned int p, float v), (p, v))
LV_PASS(glFogi, (unsigned int p, int v), (p, v))
LV_PASS(glFogfv, (unsigned int p, const float* v), (p, v))
LV_PASS(glFinish, (void), ())
LV_PASS(glDepthMask, (unsigned char flag), (flag))
LV_PASS(glDepthFunc, (unsigned int func), (func))
LV_PASS(glColorMask, (unsigned char r, unsigned char g, unsigned char b, unsigned char a), (r, g, b, a))
LV_PASS(glReadPixels, (int x, int y, int w, int h, unsigned int f, unsigned int t, void* p), (x, y, w, h, f, t, p))
LV_PASS(gluPerspective, (double fovy, double aspect, double zNear, double zFar), (fovy, aspect, zNear, zFar))
#undef LV_PASS

}  // extern "C"
