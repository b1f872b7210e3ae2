#pragma once
// Force-included (-include) into every file of the web build except
// LegacyGL.cpp. Emscripten's legacy GL emulation draws GL 1.1 on WebGL but
// gets some of the calls that the demo makes wrong or lacks them; these names
// send exactly those calls to our layer (LegacyGL.cpp), which keeps what the
// emulation misses and hands it plain, uniform geometry. Native builds never
// see this file and call the driver directly.
//
// The declarations use the C types behind the GL typedefs, so that the GL
// headers included after this file declare the same functions again.
#ifdef __cplusplus
extern "C" {
#endif

// Immediate mode: every glBegin/glEnd is buffered here and drawn with a
// colour, texture coordinate and normal on every vertex; lighting as GL 1.1
// does it, per vertex; quad strips and polygons as triangles.
void lvBegin(unsigned int mode);
void lvEnd(void);
void lvVertex2f(float x, float y);
void lvVertex3f(float x, float y, float z);
void lvTexCoord2f(float s, float t);
void lvNormal3f(float x, float y, float z);
void lvColor3f(float r, float g, float b);
void lvColor4f(float r, float g, float b, float a);
void lvColor4fv(const float* v);

// The state the layer keeps, or which WebGL has not.
void lvEnable(unsigned int cap);
void lvDisable(unsigned int cap);
unsigned char lvIsEnabled(unsigned int cap);
void lvLightfv(unsigned int light, unsigned int pname, const float* params);
void lvMaterialfv(unsigned int face, unsigned int pname, const float* params);
void lvColorMaterial(unsigned int face, unsigned int mode);
void lvShadeModel(unsigned int mode);
void lvPolygonMode(unsigned int face, unsigned int mode);
void lvLineWidth(float width);
void lvHint(unsigned int target, unsigned int mode);
void lvPushAttrib(unsigned int mask);
void lvPopAttrib(void);
void lvPushClientAttrib(unsigned int mask);
void lvPopClientAttrib(void);
void lvGetIntegerv(unsigned int pname, int* params);
void lvGetFloatv(unsigned int pname, float* params);
void lvGetDoublev(unsigned int pname, double* params);
void lvGetTexLevelParameteriv(unsigned int target, int level, unsigned int pname, int* params);
void lvTexParameteri(unsigned int target, unsigned int pname, int param);
void lvTexImage2D(unsigned int target, int level, int internalFormat, int width, int height, int border,
                  unsigned int format, unsigned int type, const void* pixels);
void lvBindTexture(unsigned int target, unsigned int texture);
void lvDepthRange(double zNear, double zFar);

// Pixel rectangles, drawn as textured quads.
void lvRasterPos2i(int x, int y);
void lvRasterPos2f(float x, float y);
void lvPixelZoom(float x, float y);
void lvBitmap(int width, int height, float xorig, float yorig, float xmove, float ymove, const unsigned char* bitmap);
void lvDrawPixels(int width, int height, unsigned int format, unsigned int type, const void* pixels);
void lvCopyPixels(int x, int y, int width, int height, unsigned int type);
// Feedback mode: the web has no use for it (only Mesa's buffer realignment asks).
void lvFeedbackBuffer(int size, unsigned int type, float* buffer);
int lvRenderMode(unsigned int mode);
// Query objects: WebGL 1 has none, and only Mesa's buffer realignment asks for
// them, after it found no GL_ARB_pipeline_statistics_query; they make no query.
void lvGenQueries(int n, unsigned int* ids);
void lvDeleteQueries(int n, const unsigned int* ids);
void lvBeginQuery(unsigned int target, unsigned int id);
void lvEndQuery(unsigned int target);
void lvGetQueryObjectuiv(unsigned int id, unsigned int pname, unsigned int* params);

// Draws what the layer holds back; the display calls it at the end of a frame.
void lvFlush(void);
// Calls that only draw the held-back batch first, then go on unchanged.
void lv_glLoadIdentity(void);
void lv_glTranslatef(float x, float y, float z);
void lv_glRotatef(float a, float x, float y, float z);
void lv_glScalef(float x, float y, float z);
void lv_glMatrixMode(unsigned int mode);
void lv_glPushMatrix(void);
void lv_glPopMatrix(void);
void lv_glLoadMatrixf(const float* m);
void lv_glClearColor(float r, float g, float b, float a);
void lv_glClear(unsigned int mask);
void lv_glBlendFunc(unsigned int s, unsigned int d);
void lv_glScissor(int x, int y, int w, int h);
void lv_glViewport(int x, int y, int w, int h);
void lv_glFogf(unsigned int p, float v);
void lv_glFogi(unsigned int p, int v);
void lv_glFogfv(unsigned int p, const float* v);
void lv_glFinish(void);
void lv_glDepthMask(unsigned char flag);
void lv_glDepthFunc(unsigned int func);
void lv_glColorMask(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
void lv_glReadPixels(int x, int y, int w, int h, unsigned int f, unsigned int t, void* p);
void lv_gluPerspective(double fovy, double aspect, double zNear, double zFar);

// Resets the layer's state to GL's initial values; called for every new context.
void lvResetState(void);

#ifdef __cplusplus
}
#endif

#define glBegin lvBegin
#define glEnd lvEnd
#define glVertex2f lvVertex2f
#define glVertex3f lvVertex3f
#define glTexCoord2f lvTexCoord2f
#define glNormal3f lvNormal3f
#define glColor3f lvColor3f
#define glColor4f lvColor4f
#define glColor4fv lvColor4fv
#define glEnable lvEnable
#define glDisable lvDisable
#define glIsEnabled lvIsEnabled
#define glLightfv lvLightfv
#define glMaterialfv lvMaterialfv
#define glColorMaterial lvColorMaterial
#define glShadeModel lvShadeModel
#define glPolygonMode lvPolygonMode
#define glLineWidth lvLineWidth
#define glHint lvHint
#define glPushAttrib lvPushAttrib
#define glPopAttrib lvPopAttrib
#define glPushClientAttrib lvPushClientAttrib
#define glPopClientAttrib lvPopClientAttrib
#define glGetIntegerv lvGetIntegerv
#define glGetFloatv lvGetFloatv
#define glGetDoublev lvGetDoublev
#define glGetTexLevelParameteriv lvGetTexLevelParameteriv
#define glTexParameteri lvTexParameteri
#define glTexImage2D lvTexImage2D
#define glBindTexture lvBindTexture
#define glDepthRange lvDepthRange
#define glRasterPos2i lvRasterPos2i
#define glRasterPos2f lvRasterPos2f
#define glPixelZoom lvPixelZoom
#define glBitmap lvBitmap
#define glDrawPixels lvDrawPixels
#define glCopyPixels lvCopyPixels
#define glFeedbackBuffer lvFeedbackBuffer
#define glRenderMode lvRenderMode
#define glGenQueries lvGenQueries
#define glDeleteQueries lvDeleteQueries
#define glBeginQuery lvBeginQuery
#define glEndQuery lvEndQuery
#define glGetQueryObjectuiv lvGetQueryObjectuiv
#define glLoadIdentity lv_glLoadIdentity
#define glTranslatef lv_glTranslatef
#define glRotatef lv_glRotatef
#define glScalef lv_glScalef
#define glMatrixMode lv_glMatrixMode
#define glPushMatrix lv_glPushMatrix
#define glPopMatrix lv_glPopMatrix
#define glLoadMatrixf lv_glLoadMatrixf
#define glClearColor lv_glClearColor
#define glClear lv_glClear
#define glBlendFunc lv_glBlendFunc
#define glScissor lv_glScissor
#define glViewport lv_glViewport
#define glFogf lv_glFogf
#define glFogi lv_glFogi
#define glFogfv lv_glFogfv
#define glFinish lv_glFinish
#define glDepthMask lv_glDepthMask
#define glDepthFunc lv_glDepthFunc
#define glColorMask lv_glColorMask
#define glReadPixels lv_glReadPixels
#define gluPerspective lv_gluPerspective
