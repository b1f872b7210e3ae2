#pragma once
#include "platform/Platform.h"

// The window with its OpenGL context and display mode, the settings chosen in
// the setup dialog, and the key states that the main loop polls.
class GLWindow {
 public:
  GLWindow(Display* display, SetupDialog* dialog);

  bool ShowSetupDialog();  // true when the user pressed Start
  bool Create();           // true when the window and a current context exist
  void Destroy();
  static void Resize(int width, int height);  // viewport and the standard projection
  static bool SetupGL();
  void Swap();

  // The window procedure: records keys, activity and size changes.
  void HandleEvent(const WindowEvent& event);

  char title[80] = "Vantel Quorix - Lumivane";
  int bits = 32;           // colour depth, bits per pixel
  int width = 640;         // client width in pixels, also the fullscreen mode's width
  int height = 480;        // client height in pixels
  bool fullscreen = true;  // display mode change when true, a framed window otherwise
  bool sound = true;       // play music (read by QuorixSystem)
  bool active = false;     // set by the dialog and by (de)activation; Destroy at exit only when true
  bool keyDown[256] = {};  // by Windows virtual-key code

 private:
  bool AskWindowed();

  Display* display;
  SetupDialog* dialog;
  bool hasWindow = false;
  bool hasContext = false;
};

// The one window of the process, for code that has no pointer of its own.
extern GLWindow* currentWindow;
