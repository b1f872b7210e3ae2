#include "Paint.h"

#include <cmath>
#include <vector>

void Disc(cairo_t* cr, double x, double y, double r, const Rgba& colour) {
  SetColour(cr, colour);
  cairo_new_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

void SoftDot(cairo_t* cr, double x, double y, double r, const Rgba& colour) {
  cairo_pattern_t* p = RadialGradient(x, y, r, colour, WithAlpha(colour, 0));
  cairo_pattern_add_color_stop_rgba(p, 0.25, colour.r, colour.g, colour.b, colour.a * 0.45);
  cairo_set_source(cr, p);
  cairo_new_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Sparkle(cairo_t* cr, double x, double y, double length, double width, const Rgba& colour) {
  for (int axis = 0; axis < 2; ++axis) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (axis == 1) cairo_rotate(cr, M_PI / 2);
    cairo_pattern_t* p = cairo_pattern_create_linear(-length, 0, length, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, colour.r, colour.g, colour.b, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, colour.r, colour.g, colour.b, colour.a);
    cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, p);
    cairo_new_path(cr);
    cairo_move_to(cr, -length, 0);
    cairo_line_to(cr, 0, -width / 2);
    cairo_line_to(cr, length, 0);
    cairo_line_to(cr, 0, width / 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
}

void ScatterStars(cairo_t* cr, Rng& rng, int count, const Box& area, double rMin, double rMax) {
  for (int i = 0; i < count; ++i) {
    const double x = area.x + rng.Uniform() * area.w, y = area.y + rng.Uniform() * area.h;
    const double k = std::pow(rng.Uniform(), 3.0);  // most stars small and faint
    const double r = rMin + (rMax - rMin) * k;
    const double tint = rng.Uniform();
    Rgba colour = tint < 0.2 ? Rgba{1.0, 0.85, 0.7, 1} : tint < 0.45 ? Rgba{0.75, 0.85, 1.0, 1} : Rgba{1, 1, 1, 1};
    colour.a = 0.35 + 0.65 * std::sqrt(k) + 0.2 * rng.Uniform();
    if (colour.a > 1) colour.a = 1;
    Disc(cr, x, y, r, colour);
    if (k > 0.55) SoftDot(cr, x, y, r * 5, WithAlpha(colour, 0.35));
    if (k > 0.93) Sparkle(cr, x, y, r * 9, r * 1.2, WithAlpha(colour, 0.8));
  }
}

void Ridge(cairo_t* cr, Rng& rng, const Box& area, double bottom, double roughness, const Rgba& colour) {
  // Midpoint displacement over 2^8 segments.
  const int n = 256;
  std::vector<double> h(n + 1, 0.0);
  h[0] = rng.Range(-0.5, 0.5);
  h[n] = rng.Range(-0.5, 0.5);
  double spread = 1.0;
  for (int step = n; step > 1; step /= 2) {
    for (int i = step / 2; i < n; i += step) h[i] = (h[i - step / 2] + h[i + step / 2]) / 2 + rng.Range(-spread, spread);
    spread *= roughness;
  }
  SetColour(cr, colour);
  cairo_new_path(cr);
  cairo_move_to(cr, area.x, bottom);
  for (int i = 0; i <= n; ++i) cairo_line_to(cr, area.x + area.w * i / n, area.y + h[i] * area.h);
  cairo_line_to(cr, area.x + area.w, bottom);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void VerticalGradient(cairo_t* cr, const Box& box, const Rgba& top, const Rgba& bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, box.y, 0, box.y + box.h);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, box.x, box.y, box.w, box.h);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, const Box& b, double r) {
  cairo_new_sub_path(cr);  // adds to the current path, so holes can be cut
  cairo_arc(cr, b.x + b.w - r, b.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, b.x + b.w - r, b.y + b.h - r, r, 0, M_PI / 2);
  cairo_arc(cr, b.x + r, b.y + b.h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}
