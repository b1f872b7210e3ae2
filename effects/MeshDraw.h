#pragma once
#include <GL/gl.h>

#include "services/TriModel.h"

// Drawing helpers of the mesh scenes (flower, ball, gears).

// One GL_TRIANGLES: the triangle's face normal, then its three vertices.
void DrawFace(const Triangle& triangle);

// Vertices 1, 2, 3 as one primitive of `mode`: GL_LINE_LOOP outlines all three
// edges, GL_LINE_STRIP two, GL_LINES only the first (the third vertex has no partner).
void DrawEdges(const Triangle& triangle, GLenum mode);

// The first `count` triangles of `model`, one after the other: the face filled
// and lit in `color` (colour material tracking ambient and diffuse), then its
// edges as `outline` (see DrawEdges) in black. Lighting and colour material stay
// on throughout, and only the colour changes between face and edges: a lit
// black line is exactly black, as an unlit one, because black sets the
// material's ambient and diffuse to zero and its specular and emission are
// zero. Switching lighting off and on for every edge would cost the driver a
// state change per primitive. Leaves lighting and colour material off, the
// material's ambient and diffuse in `color` and the current colour black.
// With `finishEvery` > 0 the drawing is finished (glFinish) after every that
// many triangles: Mesa's software renderer keeps a 64 KB copy of the fragment
// state for every state change until the frame is drawn, and smoothed edges
// change it twice a triangle. Finishing in between frees those copies early
// and changes no pixel.
void DrawOutlinedMesh(const TriModel& model, int count, const float color[4], GLenum outline,
                      int finishEvery = 0);

// Fills an RGBA colour array.
void SetColor(float* target, float r, float g, float b, float a);
