#pragma once
#include <cmath>

// Drawing helpers that every picture-showing effect shares.

// One GL_QUADS of half-width w and half-height h in the z = 0 plane, with the
// texture coordinates (1, 1), (1, 0), (0, 0), (0, 1) at (+w, -h), (+w, +h),
// (-w, +h), (-w, -h): with the top image row at t = 0 the picture stands upright.
void DrawPictureQuad(float w, float h);

// The same quad without texture coordinates: the fades, the letterbox bars
// and the credits' panel.
void DrawPlainQuad(float w, float h);

class TextureEntry;

// Binds `picture` and draws it like DrawPictureQuad under the colour (1, 1, 1, 1).
// A texture without an alpha channel then blends to exactly its own texels
// (source alpha 1, destination weight 0), so while the pictures' blend is on
// and lighting off it is drawn with blending switched off: the same pixels
// without reading back what is behind them.
void DrawOpaquePicture(TextureEntry* picture, float w, float h);

// Texturing and blending on, depth test off, blend (src alpha, 1 - src alpha).
void BeginPictures();

// Texturing and blending off, depth test on: the state every effect ends with.
void EndPictures();

// How the two caption scenes begin: cleared to black (colour and depth, within
// the scene's clip), BeginPictures, the camera 3 units in front of z = 0.
void BeginCaptionScene();

// A Latin and an Arabic caption at the same place, the Arabic one over it:
// Arabic alone, a cross-fade from 0.5 s to 1.5 s into the window, then Latin
// alone. The alphas leave [0, 1] on purpose and OpenGL clamps them.
void DrawCaptionCrossFade(TextureEntry* latin, TextureEntry* arabic, int elapsedMs);

// The half-sine fade of a picture shown in the slot (a, b) of time t:
// sin((t - a) * pi / (b - a)), taken in double of the float argument. 0 at both
// ends and 1 in the middle; outside the slot the sine goes on (OpenGL clamps).
inline double HalfSine(float t, float a, float b, float pi) {
  return std::sin(static_cast<double>((t - a) * pi / (b - a)));
}
inline float HalfSineFade(float t, float a, float b, float pi) { return static_cast<float>(HalfSine(t, a, b, pi)); }
