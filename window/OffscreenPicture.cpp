#include "window/OffscreenPicture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace {

bool HasExtension(const char* extensions, const char* name) {
  const std::size_t n = std::strlen(name);
  for (const char* at = extensions; (at = std::strstr(at, name)) != nullptr; at += n) {
    if ((at == extensions || at[-1] == ' ') && (at[n] == ' ' || at[n] == '\0')) return true;
  }
  return false;
}

// The framebuffer entry points the offscreen picture needs: type, member, name.
#define LV_FRAMEBUFFER_FUNCTIONS(X) \
  X(PFNGLGENFRAMEBUFFERSEXTPROC, genFramebuffers, "glGenFramebuffersEXT") \
  X(PFNGLDELETEFRAMEBUFFERSEXTPROC, deleteFramebuffers, "glDeleteFramebuffersEXT") \
  X(PFNGLBINDFRAMEBUFFEREXTPROC, bindFramebuffer, "glBindFramebufferEXT") \
  X(PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC, checkFramebufferStatus, "glCheckFramebufferStatusEXT") \
  X(PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC, framebufferRenderbuffer, "glFramebufferRenderbufferEXT") \
  X(PFNGLFRAMEBUFFERTEXTURE2DEXTPROC, framebufferTexture2D, "glFramebufferTexture2DEXT") \
  X(PFNGLGENRENDERBUFFERSEXTPROC, genRenderbuffers, "glGenRenderbuffersEXT") \
  X(PFNGLDELETERENDERBUFFERSEXTPROC, deleteRenderbuffers, "glDeleteRenderbuffersEXT") \
  X(PFNGLBINDRENDERBUFFEREXTPROC, bindRenderbuffer, "glBindRenderbufferEXT") \
  X(PFNGLRENDERBUFFERSTORAGEEXTPROC, renderbufferStorage, "glRenderbufferStorageEXT") \
  X(PFNGLBLITFRAMEBUFFEREXTPROC, blitFramebuffer, "glBlitFramebufferEXT")

// The entry points, from the display: OpenGL 1.1 headers and libraries do
// not have them.
struct Functions {
#define LV_DECLARE(type, member, name) type member = nullptr;
  LV_FRAMEBUFFER_FUNCTIONS(LV_DECLARE)
#undef LV_DECLARE
  PFNGLFRAMEBUFFERPARAMETERIMESAPROC framebufferParameter = nullptr;

  template <typename F>
  static bool Load(Display* display, const char* name, F& f) {
    f = reinterpret_cast<F>(display->GLFunction(name));
    return f != nullptr;
  }
  bool Load(Display* display) {
    bool loaded = true;
#define LV_LOAD(type, member, name) loaded = loaded && Load(display, name, member);
    LV_FRAMEBUFFER_FUNCTIONS(LV_LOAD)
#undef LV_LOAD
    return loaded;
  }
  // The row order is set with glFramebufferParameteri where the context has
  // it (Mesa's desktop contexts dispatch only that name), else with the
  // extension's own.
  bool LoadFramebufferParameter(Display* display, const char* extensions) {
    const char* name = HasExtension(extensions, "GL_ARB_framebuffer_no_attachments") ? "glFramebufferParameteri"
                                                                                      : "glFramebufferParameteriMESA";
    return Load(display, name, framebufferParameter);
  }
};

struct State {
  Functions gl;
  GLuint framebuffer = 0;
  GLuint colour = 0;  // a texture
  GLuint depth = 0;   // a renderbuffer
  int width = 0, height = 0;
} state;

// The window's buffers as the framebuffer copies them: its depth (with
// stencil) format, and the sizes to check the framebuffer by.
struct Layout {
  GLenum depthFormat = 0;
  GLint red = 0, green = 0, blue = 0, alpha = 0, depth = 0, stencil = 0;
};

bool Sizes(Layout& l) {
  glGetIntegerv(GL_RED_BITS, &l.red);
  glGetIntegerv(GL_GREEN_BITS, &l.green);
  glGetIntegerv(GL_BLUE_BITS, &l.blue);
  glGetIntegerv(GL_ALPHA_BITS, &l.alpha);
  glGetIntegerv(GL_DEPTH_BITS, &l.depth);
  glGetIntegerv(GL_STENCIL_BITS, &l.stencil);
  return true;
}

bool WindowLayout(Layout& l) {
  GLint samples = 0;
  glGetIntegerv(GL_SAMPLES, &samples);
  Sizes(l);
  if (samples > 0 || l.red != 8 || l.green != 8 || l.blue != 8 || (l.alpha != 0 && l.alpha != 8)) return false;
  if (l.stencil == 0 && l.depth == 16) l.depthFormat = GL_DEPTH_COMPONENT16;
  else if (l.stencil == 0 && l.depth == 24) l.depthFormat = GL_DEPTH_COMPONENT24;
  else if (l.stencil == 0 && l.depth == 32) l.depthFormat = GL_DEPTH_COMPONENT32;
  else if (l.stencil == 8 && l.depth == 24) l.depthFormat = GL_DEPTH24_STENCIL8_EXT;
  return l.depthFormat != 0;
}

// Builds the framebuffer for the current size; false when the driver does
// not give one of the window's layout. The colour is a texture of Mesa's
// window format (blue, green, red, alpha bytes: what it picks for pictures
// given so), so that the copy to the window is a plain copy of memory. A
// window without alpha differs in that alone, and nothing the demo draws
// reads the alpha of the framebuffer (no destination-alpha blending, no
// copies into textures).
bool Build(const Layout& l) {
  const Functions& gl = state.gl;
  gl.genFramebuffers(1, &state.framebuffer);
  gl.bindFramebuffer(GL_FRAMEBUFFER_EXT, state.framebuffer);
  gl.framebufferParameter(GL_FRAMEBUFFER_EXT, GL_FRAMEBUFFER_FLIP_Y_MESA, GL_TRUE);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGenTextures(1, &state.colour);
  glBindTexture(GL_TEXTURE_2D, state.colour);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, state.width, state.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  gl.framebufferTexture2D(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, state.colour, 0);
  gl.genRenderbuffers(1, &state.depth);
  gl.bindRenderbuffer(GL_RENDERBUFFER_EXT, state.depth);
  gl.renderbufferStorage(GL_RENDERBUFFER_EXT, l.depthFormat, state.width, state.height);
  gl.bindRenderbuffer(GL_RENDERBUFFER_EXT, 0);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, state.depth);
  if (l.stencil)
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, state.depth);
  if (gl.checkFramebufferStatus(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) return false;
  Layout got;
  Sizes(got);
  if (got.red != l.red || got.green != l.green || got.blue != l.blue || got.alpha != 8 || got.depth != l.depth ||
      got.stencil != l.stencil)
    return false;
  // A new framebuffer's contents are undefined; a new window's are black.
  // (The stencil, which the demo does not use, is cleared as its state stands.)
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | (l.stencil ? GL_STENCIL_BUFFER_BIT : 0));
  glPopAttrib();
  return glGetError() == GL_NO_ERROR;
}

}  // namespace

void OffscreenPicture::Make(Display* display, int width, int height, bool whole) {
  if (whole) {
    Release();
    return;
  }
  if (Holds(width, height)) return;
  Release();
  if (!display || !state.gl.Load(display)) return;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!extensions) return;
  for (const char* name : {"GL_EXT_framebuffer_object", "GL_EXT_framebuffer_blit", "GL_MESA_framebuffer_flip_y"})
    if (!HasExtension(extensions, name)) return;
  if (!state.gl.LoadFramebufferParameter(display, extensions)) return;
  GLint renderbuffers = 0, textures = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE_EXT, &renderbuffers);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textures);
  if (width > renderbuffers || height > renderbuffers || width > textures || height > textures) return;
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }  // earlier errors, so that Build sees its own
  Layout layout;
  if (!WindowLayout(layout)) return;
  state.width = width;
  state.height = height;
  if (!Build(layout)) Release();
}

void OffscreenPicture::Release() {
  if (!state.framebuffer) return;
  const Functions& gl = state.gl;
  gl.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
  gl.deleteFramebuffers(1, &state.framebuffer);
  glDeleteTextures(1, &state.colour);
  gl.deleteRenderbuffers(1, &state.depth);
  state.framebuffer = state.colour = state.depth = 0;
  state.width = state.height = 0;
}

bool OffscreenPicture::Holds(int width, int height) {
  return state.framebuffer && width == state.width && height == state.height;
}

void OffscreenPicture::Present(int x, int y, int windowWidth, int windowHeight) {
  const Functions& gl = state.gl;
  gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER_EXT, 0);
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
  // The window's back buffer is undefined after a swap: its margins are
  // cleared, the picture covers the rest.
  const bool sideBars = state.width < windowWidth;
  const int margins[2][4] = {
      {0, 0, sideBars ? x : windowWidth, sideBars ? windowHeight : y},
      {sideBars ? x + state.width : 0, sideBars ? 0 : y + state.height,
       sideBars ? windowWidth - x - state.width : windowWidth, sideBars ? windowHeight : windowHeight - y - state.height},
  };
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_SCISSOR_TEST);
  for (const auto& m : margins) {
    if (m[2] <= 0 || m[3] <= 0) continue;
    glScissor(m[0], m[1], m[2], m[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glDisable(GL_SCISSOR_TEST);
  gl.blitFramebuffer(0, 0, state.width, state.height, x, y, x + state.width, y + state.height, GL_COLOR_BUFFER_BIT,
                     GL_NEAREST);
  glPopAttrib();
  gl.bindFramebuffer(GL_READ_FRAMEBUFFER_EXT, 0);
}

void OffscreenPicture::Resume() {
  if (state.framebuffer) state.gl.bindFramebuffer(GL_FRAMEBUFFER_EXT, state.framebuffer);
}
