#pragma once
#include "platform/Platform.h"

// The picture of a window that is not 4:3, drawn into a framebuffer object of
// the picture's own size and copied into the middle of the window before each
// swap: a copy inside the GL driver instead of glCopyPixels, which Mesa's
// software renderer sends through its pixel path at about half the cost of
// drawing the frame.
//
// The framebuffer is made like the window's: the same colour (with alpha,
// which nothing reads), depth and stencil sizes, no multisampling, and rows
// kept top-down as Mesa keeps a window's (GL_MESA_framebuffer_flip_y), so the
// rasteriser rounds every pixel as in a 4:3 window of the picture's size. Where the driver lacks any of it,
// nothing is made and the window draws its picture in a corner as before.
//
// One window and context at a time, as the display has them.
class OffscreenPicture {
 public:
  // Makes the framebuffer for a picture of width x height pixels in the
  // current context, bound for drawing and reading, or takes it down when
  // such a picture fills its window (`whole`) or the driver cannot. A
  // framebuffer of that size already made is kept as it is.
  static void Make(Display* display, int width, int height, bool whole);
  // Deletes the framebuffer (the context still current) and binds the window's.
  static void Release();
  // Whether the picture is drawn into the framebuffer at that size.
  static bool Holds(int width, int height);
  // Clears the window's margins black and copies the picture to (x, y) of a
  // window of windowWidth x windowHeight pixels; the window's framebuffer is
  // then bound, for a read-back and the swap. GL state is left as it was.
  static void Present(int x, int y, int windowWidth, int windowHeight);
  // Binds the framebuffer again for the next frame, after the swap.
  static void Resume();
};
