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
  // Viewport and the standard projection for a client area of width x height
  // pixels: the picture keeps 4:3 (see PictureArea), the rest stays black.
  // A size whose picture is the window's offscreen one draws into that.
  static void Resize(int width, int height);
  static bool SetupGL();
  void Swap();  // the picture moved to the middle with black around it, then the buffers swapped

  // The part of a client area that shows the picture, in GL window
  // coordinates (y from the bottom): the largest centred 4:3 rectangle. The
  // side that limits it is taken whole, the other is 3/4 (or 4/3) of it
  // rounded to the nearest pixel, halves up; so a size within that rounding
  // of 4:3 (333 x 250) is taken whole. An odd pixel left over goes to the
  // right or the top margin.
  struct Area {
    int x = 0, y = 0, width = 0, height = 0;
  };
  static Area PictureArea(int width, int height);

  // The window procedure: records keys, activity and size changes.
  void HandleEvent(const WindowEvent& event);

  char title[80] = "Vantel Quorix - Lumivane";
  int bits = 32;           // colour depth, bits per pixel
  int width = 640;         // client width in pixels, also the fullscreen mode's width
  int height = 480;        // client height in pixels
  bool fullscreen = true;  // display mode change when true, a framed window otherwise
  bool desktop = false;    // fullscreen means the desktop's own resolution, no mode change
  bool sound = true;       // play music (read by QuorixSystem)
  bool active = false;     // set by the dialog and by (de)activation; Destroy at exit only when true
  bool keyDown[256] = {};  // by Windows virtual-key code
  // The client area as it is now, in pixels: width x height unless desktop
  // fullscreen or the user / window manager changed it.
  int clientWidth = 0;
  int clientHeight = 0;

 private:
  bool AskWindowed();
  // Draws the picture of a window that is not 4:3 offscreen where the driver
  // can (see OffscreenPicture), at the client area's picture size.
  void MakePicture();

  Display* display;
  SetupDialog* dialog;
  bool hasWindow = false;
  bool hasContext = false;
};

// Saves the projection and the modelview matrix and makes both the identity;
// PopMatrices puts them back (the matrix mode is then the modelview).
void PushIdentityMatrices();
void PopMatrices();
// Turns off whatever lies between a fragment and its pixel (tests, blending,
// texturing, logic op, dithering) and opens the colour mask, so that pixels
// copied or drawn from memory arrive as they are.
void PlainPixelWrites();
