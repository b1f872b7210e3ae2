#pragma once
#include <GL/gl.h>

#include "services/TriModel.h"

// Drawing helpers of the mesh scenes (flower, ball, gears).

// One GL_TRIANGLES: the triangle's face normal, then its three vertices.
void DrawFace(const Triangle& triangle);

// Vertices 1, 2, 3 as one primitive of `mode`: GL_LINE_LOOP outlines all three
// edges, GL_LINE_STRIP two, GL_LINES only the first (the third vertex has no partner).
void DrawEdges(const Triangle& triangle, GLenum mode);

// Fills an RGBA colour array.
void SetColor(float* target, float r, float g, float b, float a);
