#pragma once
#include <GL/gl.h>

// The letterbox bars are drawn last over every frame and cover the top and
// bottom of the picture completely. While they are up the scenes are clipped
// (a scissor box) to the rows between them, so the software rasteriser does
// not fill pixels that the bars paint over anyway. No visible pixel changes:
// the box reaches two rows into each bar, against rounding.

struct OpenRows {
  int y = 0, height = 0;  // window rows from the bottom, as glScissor takes them
};

// The rows of `viewport` (x, y, width, height) that the bars leave open under
// `projection` (column-major, as GL returns it), widened by two rows into each
// bar. False for a projection the bars' edges cannot be worked out under.
bool BarOpenRows(const double projection[16], const int viewport[4], OpenRows* rows);

// Clips what follows to the open rows of the current viewport and projection,
// inside the window's own scissor box if it has one. Does nothing when the
// rows cannot be worked out.
void ClipScenesToBars();

// Puts the window's scissor state back; the bars call it before they draw.
void UnclipScenes();

// The scenes' clear. It covers the whole picture as without clipping (Mesa
// draws a clipped clear as a quad, which is slower than a whole clear), then
// the clip is put back.
void ClearScene(GLbitfield mask);
