#pragma once

// Mesa gathers the vertices of glBegin/glEnd in one buffer of its own and
// draws them when the buffer is full or the state changes. Where a primitive
// meets the end of the buffer it is drawn in two parts, and that moves a few
// pixels: so every frame depends on how many vertices were drawn before it.
// A program that draws more at start-up (a warm-up) can make the buffer start
// afresh with this, as it did when the context was new.
//
// The buffer cannot be read; where it stands is found by drawing line strips
// that lie outside the picture and counting, with a pipeline-statistics
// query, the vertices the driver handed on: a strip split at the buffer's end
// hands one vertex twice. Every offset still possible is followed through a
// model of the buffer (the sizes of Mesa 22.3's gallium drivers: 512 KiB, a
// new buffer when less than 1 KiB is left after a draw) until one is left:
// about a hundred strips of at most 4096 vertices, some 50 ms. Strips that
// end just short of the buffer's end then make the driver start a new one.

// Returns true with the buffer at the start of a fresh one and the current
// vertex format empty; false, with the buffer somewhere else, when the driver
// has no such query or answers as no Mesa of this layout would.
bool RestartImmediateBuffer();

