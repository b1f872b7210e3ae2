#include "window/GLWindow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/Report.h"
#include "window/OffscreenPicture.h"
#include "window/SetupChoices.h"

namespace {

void Fail(const char* text) { ShowMessageBox(text, "ERROR", MB::ICONEXCLAMATION); }
void ShutdownError(const char* text) { ShowMessageBox(text, "SHUTDOWN ERROR", MB::ICONINFORMATION); }

}  // namespace

GLWindow::GLWindow(Display* display, SetupDialog* dialog) : display(display), dialog(dialog) {}

bool GLWindow::ShowSetupDialog() {
  SetupResult result = SetupResult::Failed;
  if (dialog) {
    SetupControls controls = InitialSetupControls();
    result = dialog->Run(controls);
    if (result == SetupResult::Start) ApplySetupControls(controls, *this);
  }
  active = result == SetupResult::Start;
  return active;
}

// A fullscreen mode that cannot be had: play windowed (Yes, and `fullscreen`
// is cleared) or close (No).
bool GLWindow::AskWindowed() {
  const int answer = ShowMessageBox(
      "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?", "Tarvo GL",
      MB::YESNO | MB::ICONEXCLAMATION);
  if (answer == MB::IDYES) {
    fullscreen = false;
    return true;
  }
  ShowMessageBox("Program Will Now Close.", "ERROR", MB::ICONSTOP);
  return false;
}

bool GLWindow::Create() {
  if (!display->Register()) {
    Fail("Failed To Register The Window Class.");
    return false;
  }
  if (fullscreen && !desktop && !display->ChangeMode(width, height, bits) && !AskWindowed()) return false;
  if (fullscreen) display->ShowCursor(false);

  clientWidth = width;
  clientHeight = height;
  const bool opened = fullscreen && desktop ? display->OpenDesktopWindow(title, bits, clientWidth, clientHeight)
                                            : display->OpenWindow(title, width, height, fullscreen, bits);
  if (!opened) {
    Destroy();
    Fail("Window Creation Error.");
    return false;
  }
  hasWindow = true;
  if (!display->CreateContext()) {
    Destroy();
    Fail("Can't Create A GL Rendering Context.");
    return false;
  }
  hasContext = true;
  if (!display->MakeCurrent()) {
    Destroy();
    Fail("Can't Activate The GL Rendering Context.");
    return false;
  }
  if (!display->ShowWindow()) {
    // The mode switch failed only now: the same question as a refused mode.
    Destroy();
    if (AskWindowed()) return Create();
    return false;
  }
  MakePicture();
  Resize(clientWidth, clientHeight);
  if (!SetupGL()) {
    Destroy();
    Fail("Initialization Failed.");
    return false;
  }
  return true;
}

void GLWindow::Destroy() {
  if (fullscreen) {
    display->RestoreMode();
    display->ShowCursor(true);
  }
  if (hasContext) {
    OffscreenPicture::Release();
    if (!display->ReleaseCurrent()) ShutdownError("Release Of DC And RC Failed.");
    if (!display->DeleteContext()) ShutdownError("Release Rendering Context Failed.");
    hasContext = false;
  }
  if (hasWindow) {
    if (!display->CloseWindow()) ShutdownError("Could Not Release hWnd.");
    hasWindow = false;
  }
  if (!display->Unregister()) ShutdownError("Could Not Unregister Class.");
}

GLWindow::Area GLWindow::PictureArea(int width, int height) {
  Area area;
  if (width * 3 <= height * 4) {  // as wide as 4:3 or narrower: bars above and below
    area.width = width;
    area.height = (width * 3 + 2) / 4;
  } else {  // wider: bars at the sides
    area.width = (height * 4 + 1) / 3;
    area.height = height;
  }
  if (area.width < 1) area.width = 1;  // a minimised window: nothing to see, but no empty viewport
  if (area.height < 1) area.height = 1;
  area.x = (width - area.width) / 2;
  area.y = (height - area.height) / 2;
  return area;
}

void GLWindow::MakePicture() {
  const int height = clientHeight > 0 ? clientHeight : 1;
  const Area area = PictureArea(clientWidth, height);
  OffscreenPicture::Make(display, area.width, area.height, area.width == clientWidth && area.height == height);
}

// A 4:3 window gets the very calls of a plain full-window viewport, and so
// does any other whose picture is drawn offscreen at its own size. Else the
// picture is drawn in the top left corner (where a window of the picture's
// own size would have it, so the rasteriser rounds every pixel alike) through
// a scissor box of the same rectangle, which keeps the scenes' clears inside
// it too; Swap then moves it to the middle.
void GLWindow::Resize(int width, int height) {
  if (height == 0) height = 1;
  const Area area = PictureArea(width, height);
  const bool offscreen = OffscreenPicture::Holds(area.width, area.height);
  const int bottom = offscreen ? 0 : height - area.height;
  glViewport(0, bottom, area.width, area.height);
  if ((area.width == width && area.height == height) || offscreen) {
    if (glIsEnabled(GL_SCISSOR_TEST)) glDisable(GL_SCISSOR_TEST);
  } else {
    glScissor(0, bottom, area.width, area.height);
    glEnable(GL_SCISSOR_TEST);
  }
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(area.width) / static_cast<double>(area.height),
                 static_cast<double>(0.1f), 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

bool GLWindow::SetupGL() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  return true;
}

// Before every swap the picture is copied from its framebuffer or its corner
// to the middle and the margins are cleared black (the back buffer's old
// contents are undefined after a swap). The GL state the scenes carry from
// frame to frame is saved around this and put back exactly.
void GLWindow::Swap() {
  const int height = clientHeight > 0 ? clientHeight : 1;
  const Area area = PictureArea(clientWidth, height);
  if (OffscreenPicture::Holds(area.width, area.height)) {
    OffscreenPicture::Present(area.x, area.y, clientWidth, height);
    display->Swap();
    OffscreenPicture::Resume();
    return;
  }
  if (area.width != clientWidth || area.height != height) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    PushIdentityMatrices();
    PlainPixelWrites();
    glViewport(0, 0, clientWidth, height);
    glRasterPos2i(-1, -1);                                   // the lower left corner...
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(area.x), static_cast<GLfloat>(area.y), nullptr);  // ...moved
    glCopyPixels(0, height - area.height, area.width, area.height, GL_COLOR);
    const bool sideBars = area.width < clientWidth;
    const Area margins[2] = {
        sideBars ? Area{0, 0, area.x, height} : Area{0, 0, clientWidth, area.y},
        sideBars ? Area{area.x + area.width, 0, clientWidth - area.x - area.width, height}
                 : Area{0, area.y + area.height, clientWidth, height - area.y - area.height},
    };
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_SCISSOR_TEST);
    for (const Area& margin : margins) {
      if (margin.width <= 0 || margin.height <= 0) continue;
      glScissor(margin.x, margin.y, margin.width, margin.height);
      glClear(GL_COLOR_BUFFER_BIT);
    }
    PopMatrices();
    glPopAttrib();
  }
  display->Swap();
}

void PushIdentityMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void PopMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void PlainPixelWrites() {
  for (GLenum cap : {GL_SCISSOR_TEST, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_BLEND, GL_FOG,
                     GL_TEXTURE_1D, GL_TEXTURE_2D, GL_COLOR_LOGIC_OP, GL_DITHER})
    glDisable(cap);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void GLWindow::HandleEvent(const WindowEvent& event) {
  switch (event.kind) {
    case WindowEvent::Activate:
      active = !event.minimized;
      break;
    case WindowEvent::KeyDown:
      if (event.key > 0 && event.key < 256) keyDown[event.key] = true;
      break;
    case WindowEvent::KeyUp:
      if (event.key > 0 && event.key < 256) keyDown[event.key] = false;
      break;
    case WindowEvent::Size:
      clientWidth = event.width;
      clientHeight = event.height;
      if (hasContext) MakePicture();
      Resize(event.width, event.height);
      break;
    default:
      break;
  }
}
