#pragma once

// Reads the `width` x `height` pixels at (x, y) of the back buffer, the frame
// just drawn and not yet swapped, as RGBA bytes: rows packed without padding,
// the bottom row first (GL window coordinates).
void ReadBackPixels(int x, int y, int width, int height, unsigned char* rgba);
