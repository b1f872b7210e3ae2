#include "window/GLWindow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/Report.h"
#include "window/SetupChoices.h"

GLWindow* currentWindow = nullptr;

namespace {

void Fail(const char* text) { ShowMessageBox(text, "ERROR", MB::ICONEXCLAMATION); }
void ShutdownError(const char* text) { ShowMessageBox(text, "SHUTDOWN ERROR", MB::ICONINFORMATION); }

}  // namespace

GLWindow::GLWindow(Display* display, SetupDialog* dialog) : display(display), dialog(dialog) {
  currentWindow = this;
}

bool GLWindow::ShowSetupDialog() {
  int result = 0;
  if (dialog) {
    SetupControls controls = InitialSetupControls();
    result = dialog->Run(controls);
    if (result == 1) ApplySetupControls(controls, *this);
  }
  active = result == 1;
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
  if (fullscreen && !display->ChangeMode(width, height, bits) && !AskWindowed()) return false;
  if (fullscreen) display->ShowCursor(false);

  if (!display->OpenWindow(title, width, height, fullscreen, bits)) {
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
  Resize(width, height);
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

void GLWindow::Resize(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), static_cast<double>(0.1f),
                 100.0);
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

void GLWindow::Swap() { display->Swap(); }

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
      Resize(event.width, event.height);
      break;
    default:
      break;
  }
}
