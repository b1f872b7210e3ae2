#pragma once
// Small painting helpers shared by the picture files.
#include <cairo.h>

#include "Canvas.h"
#include "Random.h"
#include "Text.h"

// Filled circle.
void Disc(cairo_t* cr, double x, double y, double r, const Rgba& colour);

// Circle fading from `colour` at the centre to transparent at radius r.
void SoftDot(cairo_t* cr, double x, double y, double r, const Rgba& colour);

// Four-pointed sparkle: two thin tapering light beams crossing at (x, y).
void Sparkle(cairo_t* cr, double x, double y, double length, double width, const Rgba& colour);

// Scatters `count` stars of radius rMin..rMax over `area`; a few get a halo
// and a sparkle.
void ScatterStars(cairo_t* cr, Rng& rng, int count, const Box& area, double rMin, double rMax);

// A filled silhouette of hills or mountains over the width of `area`: its top
// edge wanders around `area.y` by up to `area.h` (fractal), the fill reaches
// down to `bottom`.
void Ridge(cairo_t* cr, Rng& rng, const Box& area, double bottom, double roughness, const Rgba& colour);

// Vertical linear gradient filling a rectangle, top colour to bottom colour.
void VerticalGradient(cairo_t* cr, const Box& box, const Rgba& top, const Rgba& bottom);

// Adds a rounded rectangle to the current path.
void RoundedRect(cairo_t* cr, const Box& box, double radius);
