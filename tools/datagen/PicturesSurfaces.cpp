// Ground, water, skies, space and the tunnel wall.
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "PictureDraw.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

Rgba Add(const Rgba& a, const Rgba& b, double k) { return Rgba{a.r + b.r * k, a.g + b.g * k, a.b + b.b * k, a.a}; }

}  // namespace

// Wind-rippled sand. Everything is periodic over the tile so the dunes can
// repeat it without seams.
void DrawSand(Canvas& c) {
  const int w = c.PixelWidth();
  const Rgba dark = Hex(0xB07A44), light = Hex(0xF4D69C);
  c.FillPixels([&](double u, double v) {
    const double warp = TileFbm(u, v, 4, 3, 0.5, 11);
    const double tone = TileFbm(u, v, 3, 4, 0.55, 12);
    const double phase = 18.0 * v + 2.5 * warp + 0.35 * std::sin(kTwoPi * 2 * u);
    const double wave = std::sin(kTwoPi * phase);
    // Ripples are steep on the lee side: sharpen one half of the wave.
    const double ridge = wave > 0 ? std::pow(wave, 0.6) : -std::pow(-wave, 2.0);
    const int px = static_cast<int>(u * w), py = static_cast<int>(v * w);
    const double grain = HashUnit(px, py, 13) - 0.5;
    const double t = Clamp01(0.3 + 0.45 * tone + 0.17 * ridge + 0.12 * grain);
    Rgba col = Mix(dark, light, t);
    if (HashUnit(px, py, 14) > 0.995) col = Add(col, Rgba{1, 1, 1, 1}, 0.15);  // glinting grains
    return col;
  });
}

// Deep blue water with rippling caustic light, periodic over the tile.
void DrawWater(Canvas& c) {
  const int w = c.PixelWidth();
  const Rgba deep = Hex(0x06203F), shallow = Hex(0x1C6690), light = Hex(0x9FD8F0);
  c.FillPixels([&](double u, double v) {
    const double large = TileFbm(u, v, 3, 4, 0.5, 21);
    const double warp = TileFbm(u, v, 4, 2, 0.5, 22);
    const double n = TileFbm(u + 0.15 * warp, v + 0.15 * warp, 6, 3, 0.5, 23);
    const double caustic = std::pow(1.0 - std::fabs(2.0 * n - 1.0), 7.0);
    const double n2 = TileFbm(u, v, 10, 2, 0.5, 24);
    const double fine = std::pow(1.0 - std::fabs(2.0 * n2 - 1.0), 12.0);
    Rgba col = Mix(deep, shallow, Clamp01(large * 1.3 - 0.1));
    col = Add(col, light, 0.55 * caustic + 0.3 * fine);
    const int px = static_cast<int>(u * w), py = static_cast<int>(v * w);
    if (HashUnit(px, py, 25) > 0.997) col = Add(col, Rgba{1, 1, 1, 1}, 0.5);
    return col;
  });
}

// Bright midday sky with drifting clouds and the sun's glow low in the middle.
void DrawSkyDay(Canvas& c) {
  const Rgba top = Hex(0x2A5FBF), horizon = Hex(0xCFE3F7), sunGlow = Hex(0xFFF4D8);
  const double aspect = c.W() / c.H();
  c.FillPixels([&](double u, double v) {
    Rgba sky = Mix(top, horizon, std::pow(v, 1.4));
    const double dx = (u - 0.55) * aspect, dy = v - 0.72;
    const double sun = std::exp(-(dx * dx + dy * dy) * 10.0);
    sky = Mix(sky, sunGlow, 0.8 * sun);
    const double n = TileFbm2(u, v, 24, 4, 5, 0.5, 31);
    const double cloud = SmoothStep(0.5, 0.72, n) * (0.55 + 0.45 * v);
    const double shade = TileFbm2(u, v + 0.02, 24, 4, 3, 0.5, 31);
    const Rgba cloudColour = Mix(Rgba{1, 1, 1, 1}, Hex(0xB6C2D6), SmoothStep(0.55, 0.8, shade) * 0.6);
    return Mix(sky, cloudColour, cloud * 0.9);
  });
  cairo_t* cr = c.Cr();
  SoftDot(cr, c.W() * 0.55, c.H() * 0.72, c.H() * 0.16, Rgba{1, 1, 0.92, 1});
  Disc(cr, c.W() * 0.55, c.H() * 0.72, c.H() * 0.05, Rgba{1, 1, 0.97, 1});
}

// Night sky: deep blue, a band of the galaxy, stars and a full moon.
void DrawSkyNight(Canvas& c) {
  const Rgba top = Hex(0x020514), horizon = Hex(0x12264F), band = Hex(0x8C9CD8);
  c.FillPixels([&](double u, double v) {
    Rgba sky = Mix(top, horizon, std::pow(v, 1.8));
    const double along = v - (0.15 + 0.5 * u);  // the galaxy runs diagonally
    const double n = TileFbm2(u, v, 8, 4, 5, 0.55, 41);
    const double galaxy = std::exp(-along * along * 40.0) * SmoothStep(0.35, 0.75, n);
    return Add(sky, band, 0.35 * galaxy);
  });
  cairo_t* cr = c.Cr();
  Rng rng(42);
  ScatterStars(cr, rng, 700, Box{0, 0, c.W(), c.H() * 0.85}, 0.6, 2.6);
  const double mx = c.W() * 0.72, my = c.H() * 0.28, mr = c.H() * 0.075;
  SoftDot(cr, mx, my, mr * 6, Rgba{0.6, 0.7, 1.0, 0.35});
  cairo_pattern_t* p = RadialGradient(mx - mr * 0.3, my - mr * 0.3, mr * 1.3, Hex(0xFFFBEA), Hex(0xC9C6B8));
  cairo_set_source(cr, p);
  cairo_arc(cr, mx, my, mr, 0, kTwoPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Rng craters(43);
  for (int i = 0; i < 9; ++i) {
    const double a = craters.Uniform() * kTwoPi, d = std::sqrt(craters.Uniform()) * mr * 0.75;
    Disc(cr, mx + std::cos(a) * d, my + std::sin(a) * d, mr * craters.Range(0.06, 0.2), Rgba{0.6, 0.58, 0.52, 0.35});
  }
}

// Deep space: coloured nebulae behind thousands of stars.
void DrawStarfield(Canvas& c) {
  const Rgba violet = Hex(0x5A2A8C), teal = Hex(0x1C6F8C), rose = Hex(0xB0426E);
  c.FillPixels([&](double u, double v) {
    const double a = TileFbm(u, v, 3, 6, 0.55, 51), b = TileFbm(u, v, 4, 6, 0.55, 52);
    const double d = TileFbm(u, v, 5, 5, 0.5, 53);
    Rgba col = Hex(0x02030A);
    col = Add(col, violet, 0.8 * SmoothStep(0.45, 0.8, a));
    col = Add(col, teal, 0.6 * SmoothStep(0.5, 0.82, b));
    col = Add(col, rose, 0.45 * SmoothStep(0.6, 0.85, a * b * 1.6));
    return Scaled(col, 0.55 + 0.6 * SmoothStep(0.3, 0.7, d));
  });
  cairo_t* cr = c.Cr();
  Rng rng(54);
  ScatterStars(cr, rng, 2600, Box{0, 0, c.W(), c.H()}, 0.5, 3.0);
}

// Tunnel wall: riveted metal plates, some with vents or round lit ports,
// and glowing light strips.
void DrawTunnel(Canvas& c) {
  const int w = c.PixelWidth();
  const Rgba plateA = Hex(0x3E4C5C), plateB = Hex(0x6A7A88), rust = Hex(0x8A5A3A), seamGlow = Hex(0x5FE3FF);
  const int columns = 4, rows = 4;
  c.FillPixels([&](double u, double v) {
    const double cu = u * columns, cv = v * rows;
    const int col = static_cast<int>(cu), row = static_cast<int>(cv);
    const double fu = cu - col, fv = cv - row;
    const double plate = HashUnit(col, row, 61);
    const double grime = TileFbm(u, v, 8, 4, 0.5, 62);
    Rgba base = Mix(plateA, plateB, 0.3 + 0.5 * plate);
    base = Mix(base, rust, 0.35 * SmoothStep(0.55, 0.8, TileFbm(u, v, 6, 4, 0.5, 63)));
    base = Scaled(base, 0.75 + 0.35 * grime + 0.15 * (1.0 - fv));  // light from above on each plate
    const int kind = static_cast<int>(HashUnit(col, row, 64) * 3.0);
    if (kind == 1 && fu > 0.2 && fu < 0.8 && fv > 0.25 && fv < 0.75) {  // vent slats
      const double slat = std::fmod(fv * 20.0, 1.0);
      base = Scaled(base, slat < 0.45 ? 0.3 : 1.05);
    } else if (kind == 2) {  // round port with a warm light behind it
      const double d = std::hypot(fu - 0.5, fv - 0.5);
      if (d < 0.2) base = Mix(Hex(0xFFC86A), Hex(0xFF7A2A), d / 0.2);
      else if (d < 0.24) base = Scaled(base, 0.4);
    }
    const double edge = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
    if (edge < 0.025) base = Scaled(base, 0.35);  // seam
    const double glow = std::exp(-std::pow((fv - 0.5) / 0.03, 2.0)) * (row % 2 == 0 && kind != 2 ? 1.0 : 0.0);
    base = Add(base, seamGlow, 0.9 * glow);
    // Rivets near the plate corners.
    for (double ru : {0.08, 0.92})
      for (double rv : {0.08, 0.92}) {
        const double d = std::hypot((fu - ru) * w / columns, (fv - rv) * w / rows);
        if (d < 4.5) base = Scaled(Mix(base, Hex(0xC8D2DA), 0.7), 1.0 - 0.05 * d);
      }
    return base;
  });
}
