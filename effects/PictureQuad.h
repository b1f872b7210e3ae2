#pragma once

// Drawing helpers that every picture-showing effect shares.

// One GL_QUADS of half-width w and half-height h in the z = 0 plane, with the
// texture coordinates (1, 1), (1, 0), (0, 0), (0, 1) at (+w, -h), (+w, +h),
// (-w, +h), (-w, -h): with the top image row at t = 0 the picture stands upright.
void DrawPictureQuad(float w, float h);

// Texturing and blending on, depth test off, blend (src alpha, 1 - src alpha).
void BeginPictures();

// Texturing and blending off, depth test on: the state every effect ends with.
void EndPictures();
