// Sprites with alpha: stars, planets, light circles and rings, light lines
// and strips, and the two magic lamps.
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "PictureDraw.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Distance of a pixel centre from the middle of the picture, in units of
// half the picture's size (1 at the middle of each edge).
double RadialDistance(double u, double v) { return std::hypot(u - 0.5, v - 0.5) * 2.0; }

struct PlanetLook {
  Rgba atmosphere;
  std::function<Rgba(double lon, double lat)> surface;  // lon, lat in [0, 1)
};

PlanetLook PlanetStyle(int variant) {
  switch (variant) {
    case 1:  // ocean world with continents and clouds
      return {Hex(0x6FB6FF), [](double lon, double lat) {
                const double land = TileFbm2(lon, lat, 6, 3, 5, 0.55, 71);
                const double cloud = TileFbm2(lon, lat, 8, 4, 4, 0.5, 72);
                Rgba c = land > 0.53 ? Mix(Hex(0x3F7A35), Hex(0xB79E62), SmoothStep(0.55, 0.7, land))
                                     : Mix(Hex(0x0B2E6B), Hex(0x1F64A8), land * 1.5);
                const double ice = SmoothStep(0.42, 0.48, std::fabs(lat - 0.5));
                c = Mix(c, Rgba{0.95, 0.97, 1, 1}, ice);
                return Mix(c, Rgba{1, 1, 1, 1}, SmoothStep(0.55, 0.75, cloud) * 0.85);
              }};
    case 2:  // banded gas giant
      return {Hex(0xF3D9A4), [](double lon, double lat) {
                const double warp = TileFbm2(lon, lat, 4, 8, 4, 0.5, 73);
                const double band = 0.5 + 0.5 * std::sin(lat * 2 * kPi * 7 + warp * 5.0);
                Rgba c = Mix(Hex(0x9C6B3C), Hex(0xF1DDB0), band);
                const double storm = std::hypot((lon - 0.3) * 2.0, (lat - 0.62) * 4.0);
                return Mix(c, Hex(0xC2543A), SmoothStep(0.25, 0.1, storm) * 0.8);
              }};
    case 3:  // red desert planet with craters
      return {Hex(0xFFB08A), [](double lon, double lat) {
                const double n = TileFbm2(lon, lat, 8, 4, 6, 0.55, 74);
                Rgba c = Mix(Hex(0x6E2A14), Hex(0xD8753E), n);
                const double crater = TileFbm2(lon, lat, 24, 12, 2, 0.5, 75);
                c = Scaled(c, 0.8 + 0.4 * SmoothStep(0.3, 0.7, crater));
                return Mix(c, Hex(0xF4EDE6), SmoothStep(0.44, 0.47, std::fabs(lat - 0.5)));
              }};
    default:  // icy world with violet streaks
      return {Hex(0xC6A8FF), [](double lon, double lat) {
                const double warp = TileFbm2(lon, lat, 6, 3, 4, 0.5, 76);
                const double streak = 0.5 + 0.5 * std::sin((lat * 9 + warp * 3) * 2 * kPi);
                return Mix(Hex(0x4B4FA8), Hex(0xD9E6FF), streak * 0.7 + 0.3 * warp);
              }};
  }
}

// Colour and coverage of a ringed planet's ring at a pixel, in planet radii.
Rgba RingAt(double x, double y, bool& inFront) {
  const double tilt = 0.28, turn = -0.35;
  const double rx = x * std::cos(turn) - y * std::sin(turn), ry = x * std::sin(turn) + y * std::cos(turn);
  const double r = std::hypot(rx, ry / tilt);
  inFront = ry > 0;
  if (r < 1.25 || r > 2.05) return Rgba{0, 0, 0, 0};
  const double band = 0.5 + 0.5 * std::sin(r * 38.0) * std::sin(r * 11.0);
  const double gap = SmoothStep(1.62, 1.66, r) * SmoothStep(1.74, 1.70, r);
  const double edge = SmoothStep(1.25, 1.32, r) * SmoothStep(2.05, 1.95, r);
  return Rgba{0.86, 0.76, 0.6, (0.45 + 0.45 * band) * edge * (1.0 - 0.85 * gap)};
}

Rgba Over(const Rgba& top, const Rgba& bottom) {
  const double a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) return Rgba{0, 0, 0, 0};
  auto ch = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
  return Rgba{ch(top.r, bottom.r), ch(top.g, bottom.g), ch(top.b, bottom.b), a};
}

// Lamp outline: body, spout and foot as one closed path.
void LampBodyPath(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 140, 318);
  cairo_curve_to(cr, 138, 268, 200, 262, 256, 264);    // top left of the body
  cairo_curve_to(cr, 318, 266, 350, 276, 380, 262);    // top right towards the spout
  cairo_curve_to(cr, 420, 244, 448, 214, 478, 206);    // upper edge of the spout
  cairo_curve_to(cr, 488, 204, 492, 212, 484, 218);    // spout tip
  cairo_curve_to(cr, 452, 242, 420, 290, 380, 318);    // lower edge of the spout
  cairo_curve_to(cr, 350, 350, 310, 362, 292, 364);    // belly right
  cairo_line_to(cr, 306, 392);                         // foot right
  cairo_curve_to(cr, 280, 402, 226, 402, 200, 392);    // foot bottom
  cairo_line_to(cr, 214, 362);                         // foot left
  cairo_curve_to(cr, 176, 356, 142, 346, 140, 318);    // belly left
  cairo_close_path(cr);
}

void FillGold(cairo_t* cr, double top, double bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgb(p, 0.0, 1.0, 0.93, 0.62);
  cairo_pattern_add_color_stop_rgb(p, 0.35, 0.90, 0.66, 0.22);
  cairo_pattern_add_color_stop_rgb(p, 0.75, 0.62, 0.38, 0.08);
  cairo_pattern_add_color_stop_rgb(p, 1.0, 0.40, 0.22, 0.04);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

void Outline(cairo_t* cr, double width) {
  cairo_set_source_rgba(cr, 0.25, 0.14, 0.02, 1);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void DrawLampHandle(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 150, 290);
  cairo_curve_to(cr, 90, 250, 50, 300, 88, 336);
  cairo_curve_to(cr, 108, 354, 132, 346, 150, 336);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 22);
  cairo_set_source_rgba(cr, 0.25, 0.14, 0.02, 1);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 15);
  cairo_set_source_rgba(cr, 0.84, 0.6, 0.2, 1);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.8);
  cairo_stroke(cr);
}

void DrawLampLid(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, 250, 262);
  cairo_scale(cr, 62, 16);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  FillGold(cr, 246, 278);
  Outline(cr, 3);
  cairo_new_path(cr);  // dome
  cairo_move_to(cr, 202, 258);
  cairo_curve_to(cr, 206, 220, 294, 220, 298, 258);
  cairo_close_path(cr);
  FillGold(cr, 222, 260);
  Outline(cr, 3);
  cairo_new_path(cr);  // knob with a pointed finial
  cairo_arc(cr, 250, 218, 13, 0, 2 * kPi);
  FillGold(cr, 205, 231);
  Outline(cr, 3);
  cairo_new_path(cr);
  cairo_move_to(cr, 243, 208);
  cairo_curve_to(cr, 246, 196, 250, 186, 250, 176);
  cairo_curve_to(cr, 250, 186, 254, 196, 257, 208);
  cairo_close_path(cr);
  FillGold(cr, 176, 208);
  Outline(cr, 2);
}

void DrawLampOrnaments(Canvas& c) {
  cairo_t* cr = c.Cr();
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgba(cr, 0.45, 0.26, 0.04, 0.8);
  for (int i = 0; i < 3; ++i) {  // engraved curls along the belly
    const double x = 200 + i * 50;
    cairo_new_path(cr);
    cairo_arc(cr, x, 318, 14, kPi * 0.1, kPi * 1.6);
    cairo_stroke(cr);
    Disc(cr, x, 318, 3.5, Rgba{0.45, 0.26, 0.04, 0.8});
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 160, 296);
  cairo_curve_to(cr, 230, 288, 300, 290, 364, 286);
  cairo_stroke(cr);
  // Specular highlight along the upper body.
  c.Glow(8, Rgba{1, 1, 0.92, 0.85}, [](cairo_t* t) {
    cairo_save(t);
    cairo_translate(t, 232, 286);
    cairo_scale(t, 60, 8);
    cairo_arc(t, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(t);
    cairo_fill(t);
  });
}

void DrawFlame(Canvas& c, double x, double y) {
  cairo_t* cr = c.Cr();
  SoftDot(cr, x, y - 20, 70, Rgba{1, 0.65, 0.15, 0.55});
  auto flame = [&](cairo_t* t, double s) {
    cairo_new_path(t);
    cairo_move_to(t, x, y - 62 * s);
    cairo_curve_to(t, x + 22 * s, y - 30 * s, x + 20 * s, y, x, y + 4 * s);
    cairo_curve_to(t, x - 20 * s, y, x - 22 * s, y - 30 * s, x, y - 62 * s);
    cairo_close_path(t);
  };
  flame(cr, 1.0);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y - 62, 0, y);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.35, 0.05, 0.9);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.85, 0.3, 1);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  flame(cr, 0.55);
  cairo_set_source_rgba(cr, 1, 1, 0.85, 1);
  cairo_fill(cr);
}

void DrawSmoke(Canvas& c) {
  // Curling wisps rising from the spout: the genie is on his way.
  const double wisps[3][8] = {
      {482, 204, 520, 150, 410, 175, 420, 120},
      {480, 206, 440, 160, 500, 125, 360, 118},
      {484, 202, 545, 175, 480, 110, 525, 112},
  };
  for (int i = 0; i < 3; ++i) {
    const double* w = wisps[i];
    auto path = [w](cairo_t* t) {
      cairo_new_path(t);
      cairo_move_to(t, w[0], w[1]);
      cairo_curve_to(t, w[2], w[3], w[4], w[5], w[6], w[7]);
      cairo_set_line_cap(t, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(t, 26);
      cairo_stroke(t);
    };
    c.Glow(12, Rgba{0.55, 0.4, 0.95, 0.6}, path);
  }
  cairo_t* cr = c.Cr();
  Rng rng(81);
  for (int i = 0; i < 14; ++i) {
    const double x = rng.Range(340, 540), y = rng.Range(112, 200), s = rng.Range(4, 12);
    Sparkle(cr, x, y, s * 2.2, s * 0.5, Rgba{1, 0.95, 0.7, 0.95});
    SoftDot(cr, x, y, s * 1.5, Rgba{1, 0.9, 0.6, 0.6});
  }
}

}  // namespace

void DrawStar(Canvas& c, int variant) {
  cairo_t* cr = c.Cr();
  const double x = c.W() / 2, y = c.H() / 2, r = c.H() / 2;
  const Rgba tint = variant == 1 ? Rgba{0.8, 0.9, 1, 1} : variant == 2 ? Rgba{1, 0.85, 0.5, 1} : Rgba{0.6, 0.75, 1, 1};
  SoftDot(cr, x, y, r * 0.95, WithAlpha(tint, 0.45));
  SoftDot(cr, x, y, r * 0.35, WithAlpha(tint, 1.0));
  if (variant == 3) {  // a thin halo ring
    cairo_set_line_width(cr, r * 0.04);
    cairo_set_source_rgba(cr, tint.r, tint.g, tint.b, 0.4);
    cairo_arc(cr, x, y, r * 0.55, 0, 2 * kPi);
    cairo_stroke(cr);
  }
  const int spikes = variant == 2 ? 3 : 2;
  for (int i = 0; i < spikes; ++i) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, i * kPi / (2 * spikes));
    Sparkle(cr, 0, 0, r * 0.95, r * 0.06, Rgba{1, 1, 1, 0.9});
    cairo_restore(cr);
  }
  SoftDot(cr, x, y, r * 0.15, Rgba{1, 1, 1, 1});
  Disc(cr, x, y, r * 0.05, Rgba{1, 1, 1, 1});
}

void DrawPlanet(Canvas& c, int variant) {
  const PlanetLook look = PlanetStyle(variant);
  const bool ringed = variant == 2;
  const double radius = ringed ? 0.27 : 0.42;  // in picture widths
  const double lx = -0.55, ly = -0.45, lz = 0.7;  // light from the upper left front
  const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  c.FillPixels([&](double u, double v) {
    const double x = (u - 0.5) / radius, y = (v - 0.5) / radius;
    const double d2 = x * x + y * y;
    Rgba planet{0, 0, 0, 0};
    if (d2 < 1.0) {
      const double z = std::sqrt(1.0 - d2);
      const double lon = std::atan2(x, z) / (2 * kPi) + 0.5, lat = std::asin(-y) / kPi + 0.5;
      const double light = std::max(0.0, (x * lx + y * ly + z * lz) / ll);
      Rgba s = look.surface(lon * 0.5 + 0.2, lat);
      s = Scaled(s, 0.06 + 1.05 * std::pow(light, 0.8));
      const double rim = std::pow(1.0 - z, 3.0);
      planet = Mix(s, look.atmosphere, rim * (0.3 + 0.7 * light));
      planet.a = SmoothStep(1.0, 0.985, std::sqrt(d2));
    } else {
      const double halo = std::exp(-(std::sqrt(d2) - 1.0) * 18.0);
      planet = WithAlpha(look.atmosphere, 0.55 * halo);
    }
    if (!ringed) return planet;
    bool inFront = false;
    const Rgba ring = RingAt(x, y, inFront);
    if (inFront || d2 >= 1.0) return Over(ring, planet);
    return planet;  // the back of the ring hides behind the planet
  });
}

void DrawCircle(Canvas& c, int variant) {
  const Rgba tint = variant == 1 ? Hex(0xFFA238) : Hex(0x6FB4FF);
  c.FillPixels([&](double u, double v) {
    const double d = RadialDistance(u, v) / 0.94;
    const double body = 0.45 * (1.0 - 0.4 * d * d);
    const double rim = 0.5 * std::exp(-std::pow((d - 0.86) / 0.07, 2.0));
    const double edge = SmoothStep(1.0, 0.9, d);
    return WithAlpha(Mix(tint, Rgba{1, 1, 0.9, 1}, 0.25 * (1 - d)), (body + rim) * edge);
  });
}

void DrawRing(Canvas& c, int variant) {
  // Amber for the bright lamp scenes, ice-blue light for the dark ones.
  const Rgba tint = variant == 1 ? Hex(0xE07A1F) : Hex(0x9FE8FF);
  const double width = variant == 1 ? 0.09 : 0.06;
  c.FillPixels([&](double u, double v) {
    const double d = RadialDistance(u, v);
    const double band = std::exp(-std::pow((d - 0.78) / width, 2.0));
    const double halo = variant == 2 ? 0.35 * std::exp(-std::pow((d - 0.78) / 0.2, 2.0)) : 0.0;
    const double core = std::exp(-std::pow((d - 0.78) / (width * 0.35), 2.0));
    return WithAlpha(Mix(tint, Rgba{1, 1, 1, 1}, 0.5 * core), Clamp01(band * 0.95 + halo));
  });
}

void DrawGaussian(Canvas& c) {
  c.FillPixels([](double u, double v) {
    const double d = RadialDistance(u, v);
    return Rgba{1, 1, 1, std::exp(-d * d * 5.0) * SmoothStep(1.0, 0.9, d)};
  });
}

void DrawLayer(Canvas& c) {
  // Soft veils of light drifting across.
  c.FillPixels([](double u, double v) {
    const double n = TileFbm(u, v, 3, 5, 0.55, 91);
    const double bands = 0.5 + 0.5 * std::sin((v * 3 + n * 1.2) * 2 * kPi);
    return Rgba{1, 1, 1, 0.85 * std::pow(bands, 3.0) * SmoothStep(0.3, 0.65, n)};
  });
}

void DrawLine01(Canvas& c) {
  // A bright thread of light along the band with beads of light on it.
  c.FillPixels([](double u, double v) {
    const double dv = (v - 0.5) / 0.5;
    const double core = std::exp(-dv * dv / 0.004), glow = std::exp(-dv * dv / 0.06);
    const double pulse = 0.6 + 0.4 * std::sin(u * 2 * kPi * 30.0);
    const double bead = std::pow(0.5 + 0.5 * std::cos(u * 2 * kPi * 60.0), 40.0) * std::exp(-dv * dv / 0.03);
    const double a = Clamp01(core + 0.45 * glow * pulse + bead);
    return Rgba{0.75 + 0.25 * core, 0.95, 1.0, a};
  });
}

void DrawLine02(Canvas& c) {
  // A falling streak: a thin vertical beam that fades out at both ends.
  c.FillPixels([](double u, double v) {
    const double du = (u - 0.5) / 0.5;
    const double across = std::exp(-du * du / 0.002) + 0.4 * std::exp(-du * du / 0.03);
    const double along = SmoothStep(0.0, 0.25, v) * SmoothStep(1.0, 0.6, v);
    return Rgba{0.85, 0.92, 1, Clamp01(across * along)};
  });
}

void DrawLightStrip1(Canvas& c) {
  // Long horizontal streak of light, warm on the left turning cool on the right.
  const Rgba warm = Hex(0xFF9A3C), mid = Hex(0xFF4FA3), cool = Hex(0x57D7FF);
  c.FillPixels([&](double u, double v) {
    const double dv = (v - 0.5) / 0.5;
    const Rgba tint = u < 0.5 ? Mix(warm, mid, u * 2) : Mix(mid, cool, u * 2 - 1);
    const double ends = SmoothStep(0.0, 0.15, u) * SmoothStep(1.0, 0.85, u);
    const double core = std::exp(-dv * dv / 0.01), glow = std::exp(-dv * dv / 0.15);
    const double flicker = 0.75 + 0.25 * TileFbm2(u, v, 32, 2, 3, 0.5, 95);
    const Rgba col = Mix(tint, Rgba{1, 1, 1, 1}, core * 0.7);
    return WithAlpha(col, Clamp01((core + 0.6 * glow) * ends * flicker));
  });
  cairo_t* cr = c.Cr();
  Rng rng(96);
  for (int i = 0; i < 40; ++i) {
    const double x = rng.Range(0.1, 0.9) * c.W(), y = c.H() * rng.Range(0.3, 0.7);
    SoftDot(cr, x, y, c.H() * rng.Range(0.1, 0.3), Rgba{1, 1, 1, rng.Range(0.2, 0.5)});
  }
}

void DrawLightStrip2(Canvas& c) {
  // A column of light panes, like a film strip made of light.
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  c.Glow(w * 0.1, Rgba{0.5, 0.8, 1, 0.9}, [&](cairo_t* t) {
    cairo_rectangle(t, w * 0.42, 0, w * 0.16, h);
    cairo_fill(t);
  });
  Rng rng(97);
  const int panes = 12;
  for (int i = 0; i < panes; ++i) {
    const double y = h * (i + 0.1) / panes, ph = h * 0.8 / panes;
    const Rgba tint = Mix(Hex(0x7FD8FF), Hex(0xD08CFF), rng.Uniform());
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + ph);
    cairo_pattern_add_color_stop_rgba(p, 0, tint.r, tint.g, tint.b, 0.85);
    cairo_pattern_add_color_stop_rgba(p, 1, tint.r, tint.g, tint.b, 0.25);
    cairo_set_source(cr, p);
    RoundedRect(cr, Box{w * 0.18, y, w * 0.64, ph}, w * 0.003);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void DrawLamp(Canvas& c, int variant) {
  cairo_t* cr = c.Cr();
  // The lamp is drawn in a 512-unit frame; the scene shows only the middle
  // band of the picture between the letterbox bars, so keep it all there.
  cairo_scale(cr, c.H() / 512.0, c.H() / 512.0);
  cairo_translate(cr, 226, 290);
  cairo_scale(cr, 0.9, 0.9);
  cairo_translate(cr, -256, -300);
  // Soft golden aura so the lamp glows over the bright background.
  SoftDot(cr, 280, 300, 250, Rgba{1, 0.8, 0.3, variant == 1 ? 0.35 : 0.45});
  if (variant == 2) DrawSmoke(c);
  c.Glow(10, Rgba{0.2, 0.1, 0, 0.5}, [](cairo_t* t) {  // contact shadow
    cairo_save(t);
    cairo_translate(t, 253, 402);
    cairo_scale(t, 90, 10);
    cairo_arc(t, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(t);
    cairo_fill(t);
  });
  DrawLampHandle(cr);
  LampBodyPath(cr);
  FillGold(cr, 200, 400);
  Outline(cr, 4);
  DrawLampOrnaments(c);
  DrawLampLid(cr);
  if (variant == 1) DrawFlame(c, 484, 200);
}
