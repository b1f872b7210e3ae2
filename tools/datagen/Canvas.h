#pragma once
#include <cairo.h>

#include <functional>

#include "Colour.h"

// A cairo image surface with a drawing space shaped like the quad the demo
// shows the picture on. A 1024 x 256 texture stretched over a 6:1 quad gets a
// drawing space of 1536 x 256 units, squeezed into the pixels, so whatever is
// drawn looks right on screen. Units are pixels vertically.
class Canvas {
 public:
  // aspect: width / height of the quad on screen; 0 keeps the pixel shape.
  Canvas(int pixelWidth, int pixelHeight, double aspect = 0.0);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Cr() const { return cr; }
  cairo_surface_t* Surface() const { return surface; }

  // Size of the drawing space.
  double W() const { return width; }
  double H() const { return height; }
  int PixelWidth() const { return pixelWidth; }
  int PixelHeight() const { return pixelHeight; }
  // Pixels per drawing unit horizontally (1 when the shapes agree).
  double XScale() const { return pixelWidth / width; }

  // Sets every pixel from a function of its centre in [0, 1) x [0, 1).
  // The colour is straight (not premultiplied) RGBA.
  void FillPixels(const std::function<Rgba(double u, double v)>& shade);

  // Paints `shape` (drawn in the canvas's current user space) blurred by about
  // `radius` units and tinted with `colour`: the glow around light and text.
  void Glow(double radius, const Rgba& colour, const std::function<void(cairo_t*)>& shape);

  // Fills the whole canvas with one colour.
  void Clear(const Rgba& colour);

 private:
  // Applies the drawing-space transform to any cairo context of this size.
  void ApplyTransform(cairo_t* target) const;

  int pixelWidth, pixelHeight;
  double width, height;
  cairo_surface_t* surface;
  cairo_t* cr;
};

// Convenience wrappers around cairo for the drawing code.
void SetColour(cairo_t* cr, const Rgba& c);

// Radial gradient from `inner` at the centre to `outer` at radius r.
cairo_pattern_t* RadialGradient(double x, double y, double r, const Rgba& inner, const Rgba& outer);

// Three-box-blur approximation of a Gaussian on an A8 or ARGB32 surface.
void BoxBlurSurface(cairo_surface_t* surface, double radiusX, double radiusY);
