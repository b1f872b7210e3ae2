// The seven scene backgrounds.
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "PictureDraw.h"

namespace {

constexpr double kPi = 3.141592653589793;

// 01: the lamp scenes clear to white; a bright, warm ivory with a faint
// golden lattice of eight-pointed stars.
void Bright(Canvas& c) {
  c.FillPixels([](double u, double v) {
    const double d = std::hypot(u - 0.45, v - 0.45);
    const double n = TileFbm(u, v, 4, 4, 0.5, 201);
    return Mix(Hex(0xFFFDF6), Hex(0xEDCB8C), Clamp01(d * 1.1 + 0.15 * (n - 0.5)));
  });
  cairo_t* cr = c.Cr();
  cairo_set_line_width(cr, 2.0);
  const double step = c.W() / 6;
  for (int i = 0; i <= 6; ++i)
    for (int j = 0; j <= 6; ++j) {
      const double x = i * step, y = j * step;
      for (int sq = 0; sq < 2; ++sq) {  // two overlapping squares make the star
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, sq * kPi / 4);
        cairo_rectangle(cr, -step * 0.22, -step * 0.22, step * 0.44, step * 0.44);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.8, 0.6, 0.25, 0.3);
        cairo_stroke(cr);
      }
      Disc(cr, x + step / 2, y + step / 2, 3, Rgba{0.85, 0.65, 0.3, 0.25});
    }
}

// 02: the flower scene; dusky violet and blue with drifting light and petals.
void Dusk(Canvas& c) {
  c.FillPixels([](double u, double v) {
    const double n = TileFbm(u, v, 3, 5, 0.5, 211);
    return Mix(Mix(Hex(0x2B1B5E), Hex(0x6A3D8F), v), Hex(0x1B3A7A), SmoothStep(0.35, 0.75, n) * 0.7);
  });
  cairo_t* cr = c.Cr();
  Rng rng(212);
  for (int i = 0; i < 40; ++i)
    SoftDot(cr, rng.Range(0, c.W()), rng.Range(0, c.H()), rng.Range(10, 50),
            Rgba{rng.Range(0.7, 1), rng.Range(0.6, 0.9), 1, rng.Range(0.15, 0.4)});
  for (int i = 0; i < 25; ++i) {  // a few falling petals
    cairo_save(cr);
    cairo_translate(cr, rng.Range(0, c.W()), rng.Range(0, c.H()));
    cairo_rotate(cr, rng.Range(0, kPi));
    cairo_scale(cr, rng.Range(7, 12), rng.Range(3, 5));
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 0.9, 0.97, 0.55);
    cairo_fill(cr);
  }
}

void GearOutline(cairo_t* cr, double x, double y, double r, int teeth) {
  cairo_new_path(cr);
  for (int i = 0; i < teeth * 4; ++i) {
    const double a = 2 * kPi * i / (teeth * 4);
    const double rr = (i % 4 == 1 || i % 4 == 2) ? r : r * 0.84;
    if (i == 0)
      cairo_move_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
    else
      cairo_line_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r * 0.25, 0, 2 * kPi);
  cairo_stroke(cr);
}

// 03: the gear scene; an engineer's blueprint.
void Blueprint(Canvas& c) {
  c.FillPixels([](double u, double v) {
    const double n = TileFbm(u, v, 4, 4, 0.5, 221);
    return Mix(Hex(0x1D4E8F), Hex(0x2A64A8), n);
  });
  cairo_t* cr = c.Cr();
  for (int pass = 0; pass < 2; ++pass) {  // fine and coarse grid
    const double step = pass == 0 ? 16 : 80;
    cairo_set_line_width(cr, pass == 0 ? 0.8 : 1.6);
    cairo_set_source_rgba(cr, 0.85, 0.93, 1, pass == 0 ? 0.15 : 0.3);
    for (double x = 0; x <= c.W(); x += step) {
      cairo_move_to(cr, x, 0);
      cairo_line_to(cr, x, c.H());
    }
    for (double y = 0; y <= c.H(); y += step) {
      cairo_move_to(cr, 0, y);
      cairo_line_to(cr, c.W(), y);
    }
    cairo_stroke(cr);
  }
  cairo_set_source_rgba(cr, 0.92, 0.97, 1, 0.75);
  cairo_set_line_width(cr, 2.5);
  GearOutline(cr, 200, 180, 120, 14);
  GearOutline(cr, 372, 290, 80, 10);
  GearOutline(cr, 800, 330, 140, 16);
  GearOutline(cr, 640, 120, 60, 8);
  cairo_set_line_width(cr, 1.2);  // dimension lines
  cairo_move_to(cr, 80, 330);
  cairo_line_to(cr, 320, 330);
  cairo_move_to(cr, 660, 470);
  cairo_line_to(cr, 940, 470);
  cairo_stroke(cr);
}

// 04: the photo cylinder; deep blue with rays of light.
void Rays(Canvas& c) {
  const double aspect = c.W() / c.H();
  c.FillPixels([aspect](double u, double v) {
    const double x = (u - 0.5) * aspect, y = v - 1.1;
    const double angle = std::atan2(x, -y);
    const double rays = std::pow(0.5 + 0.5 * std::sin(angle * 18.0), 6.0);
    const double fall = std::exp(-std::hypot(x, y) * 1.2);
    const double n = TileFbm(u, v, 4, 4, 0.5, 231);
    Rgba col = Mix(Hex(0x050A2E), Hex(0x1B2F7A), v * 0.8 + 0.2 * n);
    return Mix(col, Hex(0x7FB0FF), 0.45 * rays * fall);
  });
  cairo_t* cr = c.Cr();
  Rng rng(232);
  for (int i = 0; i < 30; ++i)
    SoftDot(cr, rng.Range(0, c.W()), rng.Range(0, c.H()), rng.Range(8, 30), Rgba{0.7, 0.85, 1, rng.Range(0.1, 0.3)});
}

// 05: the greetings spiral; a violet and teal nebula with fine rings.
void Nebula(Canvas& c) {
  const double aspect = c.W() / c.H();
  c.FillPixels([aspect](double u, double v) {
    const double x = (u - 0.5) * aspect, y = v - 0.5;
    const double r = std::hypot(x, y), a = std::atan2(y, x);
    const double swirl = TileFbm2(u + 0.1 * std::sin(a * 2 + r * 6), v, 6, 3, 5, 0.55, 241);
    Rgba col = Mix(Hex(0x07021A), Hex(0x4A1670), SmoothStep(0.35, 0.8, swirl));
    col = Mix(col, Hex(0x138A8A), SmoothStep(0.6, 0.85, swirl) * 0.6);
    const double ring = std::pow(0.5 + 0.5 * std::cos(r * 60.0), 30.0) * std::exp(-r * 2.0);
    return Mix(col, Hex(0xC8F0FF), ring * 0.35);
  });
  cairo_t* cr = c.Cr();
  Rng rng(242);
  ScatterStars(cr, rng, 300, Box{0, 0, c.W(), c.H()}, 0.5, 2.0);
}

// 06: the closing credits; a night desert under the stars (shown at half
// opacity on black).
void NightDesert(Canvas& c) {
  cairo_t* cr = c.Cr();
  VerticalGradient(cr, Box{0, 0, c.W(), c.H()}, Hex(0x03061A), Hex(0x2A2F5E));
  Rng rng(251);
  ScatterStars(cr, rng, 500, Box{0, 0, c.W(), c.H() * 0.7}, 0.5, 2.2);
  SoftDot(cr, c.W() * 0.78, c.H() * 0.22, 90, Rgba{0.8, 0.85, 1, 0.4});
  Disc(cr, c.W() * 0.78, c.H() * 0.22, 26, Hex(0xF7F3E0));
  Ridge(cr, rng, Box{0, c.H() * 0.66, c.W(), c.H() * 0.08}, c.H(), 0.45, Hex(0x3A3050));
  Ridge(cr, rng, Box{0, c.H() * 0.76, c.W(), c.H() * 0.06}, c.H(), 0.45, Hex(0x251C33));
  Ridge(cr, rng, Box{0, c.H() * 0.86, c.W(), c.H() * 0.04}, c.H(), 0.4, Hex(0x140F1E));
}

// 07: the ball scene; a warm sunburst. The scene turns this plane past 180
// degrees, so it shows mirrored: nothing in it has a handedness.
void Sunburst(Canvas& c) {
  c.FillPixels([](double u, double v) {
    const double x = u - 0.5, y = v - 0.5;
    const double a = std::atan2(y, x), r = std::hypot(x, y);
    const double rays = 0.5 + 0.5 * std::cos(a * 16.0);
    Rgba col = Mix(Hex(0xFFD36B), Hex(0xE0502A), Clamp01(r * 1.6));
    col = Mix(col, Hex(0xFF8A3D), rays * 0.45 * Clamp01(r * 3.0));
    return Mix(col, Hex(0x6E1A2E), SmoothStep(0.45, 0.75, r));
  });
}

}  // namespace

void DrawBackground(Canvas& c, int number) {
  switch (number) {
    case 1: Bright(c); break;
    case 2: Dusk(c); break;
    case 3: Blueprint(c); break;
    case 4: Rays(c); break;
    case 5: Nebula(c); break;
    case 6: NightDesert(c); break;
    default: Sunburst(c); break;
  }
}
