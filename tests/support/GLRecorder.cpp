#include "tests/support/GLRecorder.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <initializer_list>
#include <map>

namespace {

std::vector<GLCall> calls;
GLRecorder::Upload upload;
std::map<GLenum, bool> enabled;
GLuint nextTexture = 1;
GLuint boundTexture = 0;
int maxTextureSize = 4096;
bool contextCurrent = true;
int callsWithoutContext = 0;

void Rec(const char* name, std::initializer_list<double> args) {
  if (!contextCurrent) ++callsWithoutContext;
  calls.push_back({name, args});
}

}  // namespace

namespace GLRecorder {
std::vector<GLCall>& Calls() { return calls; }
void Clear() {
  calls.clear();
  enabled.clear();
  upload = Upload{};
  nextTexture = 1;
  boundTexture = 0;
  maxTextureSize = 4096;
}
int Count(const std::string& name) {
  int n = 0;
  for (const GLCall& c : calls) n += c.name == name;
  return n;
}
std::vector<GLCall> Named(const std::string& name) {
  std::vector<GLCall> out;
  for (const GLCall& c : calls)
    if (c.name == name) out.push_back(c);
  return out;
}
int Find(const std::string& name, int from) {
  for (int i = from; i < static_cast<int>(calls.size()); ++i)
    if (calls[i].name == name) return i;
  return -1;
}
const Upload& LastUpload() { return upload; }
void SetMaxTextureSize(int size) { maxTextureSize = size; }
void SetContextCurrent(bool current) { contextCurrent = current; }
int CallsWithoutContext() { return callsWithoutContext; }
}  // namespace GLRecorder

extern "C" {

void glBegin(GLenum mode) { Rec("glBegin", {double(mode)}); }
void glEnd(void) { Rec("glEnd", {}); }
void glVertex2f(GLfloat x, GLfloat y) { Rec("glVertex3f", {x, y, 0.0}); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Rec("glVertex3f", {x, y, z}); }
void glVertex3fv(const GLfloat* v) { Rec("glVertex3f", {v[0], v[1], v[2]}); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { Rec("glVertex3d", {x, y, z}); }
void glVertex3i(GLint x, GLint y, GLint z) { Rec("glVertex3i", {double(x), double(y), double(z)}); }
void glTexCoord2f(GLfloat s, GLfloat t) { Rec("glTexCoord2f", {s, t}); }
void glTexCoord2d(GLdouble s, GLdouble t) { Rec("glTexCoord2d", {s, t}); }
void glTexCoord2i(GLint s, GLint t) { Rec("glTexCoord2i", {double(s), double(t)}); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { Rec("glNormal3f", {x, y, z}); }
void glNormal3fv(const GLfloat* v) { Rec("glNormal3f", {v[0], v[1], v[2]}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { Rec("glColor3f", {r, g, b}); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { Rec("glColor4f", {r, g, b, a}); }
void glColor3fv(const GLfloat* v) { Rec("glColor3f", {v[0], v[1], v[2]}); }
void glColor4fv(const GLfloat* v) { Rec("glColor4f", {v[0], v[1], v[2], v[3]}); }
void glColor4d(GLdouble r, GLdouble g, GLdouble b, GLdouble a) { Rec("glColor4d", {r, g, b, a}); }
void glEnable(GLenum cap) {
  enabled[cap] = true;
  Rec("glEnable", {double(cap)});
}
void glDisable(GLenum cap) {
  enabled[cap] = false;
  Rec("glDisable", {double(cap)});
}
GLboolean glIsEnabled(GLenum cap) { return enabled[cap] ? GL_TRUE : GL_FALSE; }
void glBlendFunc(GLenum s, GLenum d) { Rec("glBlendFunc", {double(s), double(d)}); }
void glPolygonMode(GLenum face, GLenum mode) { Rec("glPolygonMode", {double(face), double(mode)}); }
void glMatrixMode(GLenum mode) { Rec("glMatrixMode", {double(mode)}); }
void glLoadIdentity(void) { Rec("glLoadIdentity", {}); }
void glPushMatrix(void) { Rec("glPushMatrix", {}); }
void glPopMatrix(void) { Rec("glPopMatrix", {}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Rec("glTranslatef", {x, y, z}); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) { Rec("glTranslated", {x, y, z}); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { Rec("glRotatef", {a, x, y, z}); }
void glRotated(GLdouble a, GLdouble x, GLdouble y, GLdouble z) { Rec("glRotated", {a, x, y, z}); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { Rec("glScalef", {x, y, z}); }
void glScaled(GLdouble x, GLdouble y, GLdouble z) { Rec("glScaled", {x, y, z}); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { Rec("glClearColor", {r, g, b, a}); }
void glClear(GLbitfield mask) { Rec("glClear", {double(mask)}); }
void glClearDepth(GLclampd depth) { Rec("glClearDepth", {depth}); }
void glDepthFunc(GLenum func) { Rec("glDepthFunc", {double(func)}); }
void glDepthMask(GLboolean flag) { Rec("glDepthMask", {double(flag)}); }
void glDepthRange(GLclampd n, GLclampd f) { Rec("glDepthRange", {n, f}); }
void glShadeModel(GLenum mode) { Rec("glShadeModel", {double(mode)}); }
void glHint(GLenum target, GLenum mode) { Rec("glHint", {double(target), double(mode)}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { Rec("glViewport", {double(x), double(y), double(w), double(h)}); }
void glScissor(GLint x, GLint y, GLsizei w, GLsizei h) { Rec("glScissor", {double(x), double(y), double(w), double(h)}); }
void glPushAttrib(GLbitfield mask) { Rec("glPushAttrib", {double(mask)}); }
void glPopAttrib(void) { Rec("glPopAttrib", {}); }
void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) { Rec("glColorMask", {double(r), double(g), double(b), double(a)}); }
void glRasterPos2i(GLint x, GLint y) { Rec("glRasterPos2i", {double(x), double(y)}); }
void glBitmap(GLsizei w, GLsizei h, GLfloat x0, GLfloat y0, GLfloat dx, GLfloat dy, const GLubyte*) {
  Rec("glBitmap", {double(w), double(h), x0, y0, dx, dy});
}
void glCopyPixels(GLint x, GLint y, GLsizei w, GLsizei h, GLenum type) {
  Rec("glCopyPixels", {double(x), double(y), double(w), double(h), double(type)});
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* p) {
  const int n = (pname == GL_SPOT_DIRECTION) ? 3 : (pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR || pname == GL_POSITION) ? 4 : 1;
  if (n == 4) Rec("glLightfv", {double(light), double(pname), p[0], p[1], p[2], p[3]});
  else if (n == 3) Rec("glLightfv", {double(light), double(pname), p[0], p[1], p[2]});
  else Rec("glLightfv", {double(light), double(pname), p[0]});
}
void glLightf(GLenum light, GLenum pname, GLfloat p) { Rec("glLightf", {double(light), double(pname), p}); }
void glLighti(GLenum light, GLenum pname, GLint p) { Rec("glLighti", {double(light), double(pname), double(p)}); }
void glLightModelfv(GLenum pname, const GLfloat* p) { Rec("glLightModelfv", {double(pname), p[0], p[1], p[2], p[3]}); }
void glLightModeli(GLenum pname, GLint p) { Rec("glLightModeli", {double(pname), double(p)}); }
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* p) {
  if (pname == GL_SHININESS) Rec("glMaterialfv", {double(face), double(pname), p[0]});
  else Rec("glMaterialfv", {double(face), double(pname), p[0], p[1], p[2], p[3]});
}
void glMaterialf(GLenum face, GLenum pname, GLfloat p) { Rec("glMaterialf", {double(face), double(pname), p}); }
void glColorMaterial(GLenum face, GLenum mode) { Rec("glColorMaterial", {double(face), double(mode)}); }
void glLineWidth(GLfloat width) { Rec("glLineWidth", {width}); }
void glPointSize(GLfloat size) { Rec("glPointSize", {size}); }
void glFogi(GLenum pname, GLint p) { Rec("glFogi", {double(pname), double(p)}); }
void glFogf(GLenum pname, GLfloat p) { Rec("glFogf", {double(pname), p}); }
void glFogfv(GLenum pname, const GLfloat* p) {
  if (pname == GL_FOG_COLOR) Rec("glFogfv", {double(pname), p[0], p[1], p[2], p[3]});
  else Rec("glFogfv", {double(pname), p[0]});
}
void glCullFace(GLenum mode) { Rec("glCullFace", {double(mode)}); }
void glFrontFace(GLenum mode) { Rec("glFrontFace", {double(mode)}); }
void glAlphaFunc(GLenum func, GLclampf ref) { Rec("glAlphaFunc", {double(func), ref}); }
void glBindTexture(GLenum target, GLuint texture) {
  boundTexture = texture;
  Rec("glBindTexture", {double(target), double(texture)});
}
void glGenTextures(GLsizei n, GLuint* textures) {
  for (GLsizei i = 0; i < n; ++i) textures[i] = nextTexture++;
  Rec("glGenTextures", {double(n)});
}
void glDeleteTextures(GLsizei n, const GLuint*) { Rec("glDeleteTextures", {double(n)}); }
void glTexParameteri(GLenum target, GLenum pname, GLint p) { Rec("glTexParameteri", {double(target), double(pname), double(p)}); }
void glTexParameterf(GLenum target, GLenum pname, GLfloat p) { Rec("glTexParameterf", {double(target), double(pname), p}); }
void glTexEnvi(GLenum target, GLenum pname, GLint p) { Rec("glTexEnvi", {double(target), double(pname), double(p)}); }
void glTexEnvf(GLenum target, GLenum pname, GLfloat p) { Rec("glTexEnvf", {double(target), double(pname), p}); }
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const GLvoid* pixels) {
  Rec("glTexImage2D", {double(target), double(level), double(internalFormat), double(width), double(height),
                       double(border), double(format), double(type)});
  upload.internalFormat = internalFormat;
  upload.width = width;
  upload.height = height;
  upload.format = static_cast<int>(format);
  const int channels = format == GL_RGBA ? 4 : 3;
  const unsigned char* p = static_cast<const unsigned char*>(pixels);
  upload.pixels.assign(p, p + static_cast<size_t>(width) * height * channels);
}
void glPixelStorei(GLenum pname, GLint p) { Rec("glPixelStorei", {double(pname), double(p)}); }
void glGetIntegerv(GLenum pname, GLint* p) {
  if (pname == GL_MAX_TEXTURE_SIZE) *p = maxTextureSize;
  else if (pname == GL_TEXTURE_BINDING_2D) *p = static_cast<GLint>(boundTexture);
  else *p = 0;
}
void glGetFloatv(GLenum, GLfloat* p) { *p = 0; }
void glGetDoublev(GLenum, GLdouble* p) { std::fill(p, p + 16, 0.0); }  // matrices: none to clip the scenes by
// Every recorded texture counts as having alpha, so pictures keep their blend
// here; the opaque-picture shortcut is proven on real GL by the reference frames.
void glGetTexLevelParameteriv(GLenum, GLint, GLenum, GLint* p) { *p = 8; }
GLenum glGetError(void) { return GL_NO_ERROR; }
void glReadPixels(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, GLvoid*) { Rec("glReadPixels", {}); }
void glReadBuffer(GLenum mode) { Rec("glReadBuffer", {double(mode)}); }
void glFinish(void) { Rec("glFinish", {}); }
void glFlush(void) { Rec("glFlush", {}); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) { Rec("glOrtho", {l, r, b, t, n, f}); }
void glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) { Rec("glFrustum", {l, r, b, t, n, f}); }
const GLubyte* glGetString(GLenum) { return reinterpret_cast<const GLubyte*>("recorder"); }

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  Rec("gluPerspective", {fovy, aspect, zNear, zFar});
}

// The warm-up (app/WarmUp.cpp), which an F1 toggle runs: recorded by name.
// The recorder offers no pipeline-statistics query, so no query is made.
void glPushClientAttrib(GLbitfield mask) { Rec("glPushClientAttrib", {double(mask)}); }
void glPopClientAttrib(void) { Rec("glPopClientAttrib", {}); }
void glLoadMatrixf(const GLfloat*) { Rec("glLoadMatrixf", {}); }
void glPixelZoom(GLfloat x, GLfloat y) { Rec("glPixelZoom", {x, y}); }
void glRasterPos2f(GLfloat x, GLfloat y) { Rec("glRasterPos2f", {x, y}); }
void glDrawPixels(GLsizei w, GLsizei h, GLenum, GLenum, const GLvoid*) { Rec("glDrawPixels", {double(w), double(h)}); }
void glFeedbackBuffer(GLsizei, GLenum, GLfloat*) { Rec("glFeedbackBuffer", {}); }
GLint glRenderMode(GLenum mode) {
  Rec("glRenderMode", {double(mode)});
  return 0;
}
void glGenQueries(GLsizei, GLuint*) { Rec("glGenQueries", {}); }
void glDeleteQueries(GLsizei, const GLuint*) { Rec("glDeleteQueries", {}); }
void glBeginQuery(GLenum, GLuint) { Rec("glBeginQuery", {}); }
void glEndQuery(GLenum) { Rec("glEndQuery", {}); }
void glGetQueryObjectuiv(GLuint, GLenum, GLuint* p) { *p = 0; }

}  // extern "C"
