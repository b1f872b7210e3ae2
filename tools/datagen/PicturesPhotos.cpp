// Painted stand-ins for photographs: a portrait, a Japanese landscape, an
// industrial skyline and a film strip of small pictures.
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "PictureDraw.h"

namespace {

constexpr double kPi = 3.141592653589793;

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

// Darkened corners and a fine grain make a painting read as a photograph.
void PhotoFinish(Canvas& c, uint32_t seed) {
  cairo_t* cr = c.Cr();
  cairo_pattern_t* v = cairo_pattern_create_radial(c.W() / 2, c.H() / 2, c.H() * 0.35, c.W() / 2, c.H() / 2, c.W() * 0.75);
  cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, 0.45);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
  cairo_surface_t* s = c.Surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < c.PixelHeight(); ++y)
    for (int x = 0; x < c.PixelWidth(); ++x) {
      const int grain = static_cast<int>((HashUnit(x, y, seed) - 0.5) * 14);
      for (int ch = 0; ch < 3; ++ch) {
        unsigned char& p = data[y * stride + x * 4 + ch];
        p = static_cast<unsigned char>(std::min(255, std::max(0, p + grain)));
      }
    }
  cairo_surface_mark_dirty(s);
}

// White print border around the picture.
void PrintBorder(Canvas& c, double width) {
  cairo_t* cr = c.Cr();
  cairo_set_source_rgb(cr, 0.96, 0.95, 0.91);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, 0, 0, c.W(), c.H());
  cairo_rectangle(cr, width, width, c.W() - 2 * width, c.H() - 2 * width);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// ------------------------------------------------------------- the portrait --

void DrawHairBack(cairo_t* cr, double cx) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 20, 60);
  cairo_curve_to(cr, cx - 170, 60, cx - 190, 250, cx - 170, 400);
  cairo_curve_to(cr, cx - 160, 470, cx - 120, 512, cx - 90, 512);
  cairo_line_to(cr, cx + 100, 512);
  cairo_curve_to(cr, cx + 150, 470, cx + 170, 420, cx + 170, 380);
  cairo_curve_to(cr, cx + 190, 250, cx + 150, 60, cx - 20, 60);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(cx - 150, 0, cx + 150, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.16, 0.07, 0.04);
  cairo_pattern_add_color_stop_rgb(p, 0.4, 0.42, 0.2, 0.1);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.2, 0.09, 0.05);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawShoulders(cairo_t* cr, double cx) {
  SetColour(cr, Hex(0xE9B99A));  // neck
  cairo_rectangle(cr, cx - 38, 300, 76, 110);
  cairo_fill(cr);
  cairo_new_path(cr);  // dress
  cairo_move_to(cr, cx - 210, 512);
  cairo_curve_to(cr, cx - 200, 420, cx - 120, 395, cx - 60, 390);
  cairo_curve_to(cr, cx - 30, 430, cx + 30, 430, cx + 60, 390);
  cairo_curve_to(cr, cx + 120, 395, cx + 200, 420, cx + 210, 512);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 390, 0, 512);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.1, 0.55, 0.6);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.03, 0.25, 0.32);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawFace(Canvas& c, double cx) {
  cairo_t* cr = c.Cr();
  Ellipse(cr, cx, 225, 92, 122);
  cairo_pattern_t* skin = RadialGradient(cx - 30, 190, 160, Hex(0xFCD9C0), Hex(0xD79C7C));
  cairo_set_source(cr, skin);
  cairo_fill(cr);
  cairo_pattern_destroy(skin);
  SoftDot(cr, cx - 52, 268, 30, Rgba{0.95, 0.45, 0.45, 0.35});  // cheeks
  SoftDot(cr, cx + 52, 268, 30, Rgba{0.95, 0.45, 0.45, 0.35});
  for (int side : {-1, 1}) {
    const double ex = cx + side * 40, ey = 222;
    cairo_new_path(cr);  // almond eye
    cairo_move_to(cr, ex - 22, ey);
    cairo_curve_to(cr, ex - 10, ey - 14, ex + 10, ey - 14, ex + 22, ey);
    cairo_curve_to(cr, ex + 10, ey + 10, ex - 10, ey + 10, ex - 22, ey);
    cairo_set_source_rgb(cr, 0.98, 0.97, 0.95);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.2, 0.1, 0.06);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Disc(cr, ex, ey - 1, 8.5, Hex(0x3C6E4A));
    Disc(cr, ex, ey - 1, 4, Hex(0x101010));
    Disc(cr, ex + 3, ey - 4, 2, Rgba{1, 1, 1, 0.9});
    cairo_new_path(cr);  // brow
    cairo_move_to(cr, ex - 24, ey - 24);
    cairo_curve_to(cr, ex - 10, ey - 36, ex + 10, ey - 34, ex + 24, ey - 24 - side * 2);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgb(cr, 0.3, 0.15, 0.08);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);  // nose
  cairo_move_to(cr, cx + 2, 232);
  cairo_curve_to(cr, cx + 6, 262, cx + 14, 270, cx + 2, 276);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgba(cr, 0.6, 0.35, 0.25, 0.7);
  cairo_stroke(cr);
  cairo_new_path(cr);  // lips
  cairo_move_to(cr, cx - 28, 302);
  cairo_curve_to(cr, cx - 12, 292, cx - 4, 296, cx, 298);
  cairo_curve_to(cr, cx + 4, 296, cx + 12, 292, cx + 28, 302);
  cairo_curve_to(cr, cx + 12, 318, cx - 12, 318, cx - 28, 302);
  cairo_set_source_rgb(cr, 0.78, 0.26, 0.3);
  cairo_fill(cr);
}

void DrawFringe(cairo_t* cr, double cx) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 100, 210);
  cairo_curve_to(cr, cx - 110, 90, cx - 20, 70, cx + 20, 80);
  cairo_curve_to(cr, cx + 100, 90, cx + 115, 160, cx + 100, 230);
  cairo_curve_to(cr, cx + 80, 170, cx + 40, 140, cx - 10, 128);
  cairo_curve_to(cr, cx - 50, 150, cx - 80, 170, cx - 100, 210);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.34, 0.16, 0.08);
  cairo_fill(cr);
}

void DrawDaisy(cairo_t* cr, double x, double y, double r) {
  for (int i = 0; i < 12; ++i) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, i * kPi / 6);
    Ellipse(cr, r * 0.55, 0, r * 0.45, r * 0.14);
    cairo_set_source_rgb(cr, 0.97, 0.97, 1.0);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.6, 0.6, 0.7, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  Disc(cr, x, y, r * 0.22, Hex(0xE8B820));
}

// ------------------------------------------------------ Japanese landscape --

void DrawFuji(cairo_t* cr, double cx, double base, double top) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 330, base);
  cairo_curve_to(cr, cx - 200, base - 60, cx - 90, top + 40, cx - 40, top);
  cairo_line_to(cr, cx + 40, top);
  cairo_curve_to(cr, cx + 90, top + 40, cx + 200, base - 60, cx + 330, base);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, base);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.35, 0.4, 0.62);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.62, 0.78);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_new_path(cr);  // snow cap with ragged lower edge
  cairo_move_to(cr, cx - 40, top);
  cairo_line_to(cr, cx + 40, top);
  cairo_curve_to(cr, cx + 60, top + 25, cx + 80, top + 45, cx + 95, top + 62);
  const double teeth[][2] = {{70, 50}, {55, 75}, {35, 55}, {15, 82}, {-5, 58}, {-25, 80}, {-45, 56}, {-62, 72}};
  for (const auto& t : teeth) cairo_line_to(cr, cx + t[0], top + t[1]);
  cairo_line_to(cr, cx - 95, top + 62);
  cairo_curve_to(cr, cx - 80, top + 45, cx - 60, top + 25, cx - 40, top);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.97, 0.97, 1.0);
  cairo_fill(cr);
}

void DrawPagoda(cairo_t* cr, double x, double base, double scale) {
  SetColour(cr, Hex(0x2A1A24));
  double y = base, w = 46 * scale;
  for (int tier = 0; tier < 5; ++tier) {
    const double h = 20 * scale;
    cairo_rectangle(cr, x - w * 0.35, y - h, w * 0.7, h);  // storey
    cairo_fill(cr);
    cairo_new_path(cr);  // upturned roof
    cairo_move_to(cr, x - w * 0.75, y - h + 2 * scale);
    cairo_curve_to(cr, x - w * 0.5, y - h - 2 * scale, x - w * 0.3, y - h - 8 * scale, x, y - h - 10 * scale);
    cairo_curve_to(cr, x + w * 0.3, y - h - 8 * scale, x + w * 0.5, y - h - 2 * scale, x + w * 0.75, y - h + 2 * scale);
    cairo_close_path(cr);
    cairo_fill(cr);
    y -= h + 8 * scale;
    w *= 0.85;
  }
  cairo_set_line_width(cr, 3 * scale);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y - 30 * scale);
  cairo_stroke(cr);
}

void DrawTorii(cairo_t* cr, double x, double base, double s) {
  SetColour(cr, Hex(0xC8281E));
  cairo_rectangle(cr, x - 30 * s, base - 70 * s, 7 * s, 70 * s);
  cairo_rectangle(cr, x + 23 * s, base - 70 * s, 7 * s, 70 * s);
  cairo_rectangle(cr, x - 38 * s, base - 58 * s, 76 * s, 6 * s);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x - 48 * s, base - 78 * s);
  cairo_curve_to(cr, x - 20 * s, base - 72 * s, x + 20 * s, base - 72 * s, x + 48 * s, base - 78 * s);
  cairo_line_to(cr, x + 44 * s, base - 70 * s);
  cairo_curve_to(cr, x + 20 * s, base - 65 * s, x - 20 * s, base - 65 * s, x - 44 * s, base - 70 * s);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.15, 0.08, 0.08);
  cairo_fill(cr);
}

void DrawBlossomBranch(cairo_t* cr, double x, double y, uint64_t seed) {
  Rng rng(seed);
  cairo_set_source_rgb(cr, 0.2, 0.1, 0.08);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const double branch[][6] = {{x, y, x - 80, y + 20, x - 170, y + 10},
                              {x - 90, y + 16, x - 120, y + 60, x - 150, y + 80},
                              {x - 40, y + 18, x - 60, y + 50, x - 50, y + 90}};
  double width = 9;
  for (const auto& b : branch) {
    cairo_new_path(cr);
    cairo_move_to(cr, b[0], b[1]);
    cairo_curve_to(cr, b[2], b[3], b[2], b[3], b[4], b[5]);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    width = 5;
  }
  for (int i = 0; i < 60; ++i) {
    const auto& b = branch[rng.Below(3)];
    const double t = rng.Uniform();
    const double bx = b[0] + (b[4] - b[0]) * t + rng.Range(-14, 14), by = b[1] + (b[5] - b[1]) * t + rng.Range(-14, 14);
    Disc(cr, bx, by, rng.Range(4, 8), Rgba{1.0, rng.Range(0.7, 0.85), rng.Range(0.8, 0.9), 0.95});
    Disc(cr, bx, by, 1.8, Hex(0xC04070));
  }
}

// ------------------------------------------------------------- industry --

void DrawSmoke(Canvas& c, double x, double y, uint64_t seed) {
  Rng rng(seed);
  c.Glow(10, Rgba{0.55, 0.5, 0.5, 0.85}, [&](cairo_t* t) {
    double px = x, py = y, r = 8;
    for (int i = 0; i < 14; ++i) {
      cairo_new_path(t);
      cairo_arc(t, px, py, r, 0, 2 * kPi);
      cairo_fill(t);
      px += rng.Range(6, 16);
      py -= rng.Range(6, 14);
      r *= 1.12;
    }
  });
}

void DrawChimney(cairo_t* cr, double x, double base, double height, double width) {
  for (int band = 0; band < 6; ++band) {
    const bool red = band % 2 == 0;
    cairo_set_source_rgb(cr, red ? 0.55 : 0.75, red ? 0.15 : 0.72, red ? 0.12 : 0.68);
    const double y0 = base - height + band * 14.0;
    cairo_rectangle(cr, x - width / 2, y0, width, band < 5 ? 14.0 : height - 70);
    cairo_fill(cr);
  }
  cairo_set_source_rgb(cr, 0.18, 0.16, 0.18);
  cairo_rectangle(cr, x - width / 2, base - height + 84, width, height - 84);
  cairo_fill(cr);
}

void DrawFactoryBlock(cairo_t* cr, Rng& rng, double x, double base, double w, double h) {
  cairo_set_source_rgb(cr, 0.14, 0.12, 0.15);
  cairo_new_path(cr);  // saw-tooth roof
  cairo_move_to(cr, x, base);
  cairo_line_to(cr, x, base - h);
  const int teeth = static_cast<int>(w / 28);
  for (int i = 0; i < teeth; ++i) {
    cairo_line_to(cr, x + (i + 0.8) * w / teeth, base - h - 16);
    cairo_line_to(cr, x + (i + 1) * w / teeth, base - h);
  }
  cairo_line_to(cr, x + w, base);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (double wy = base - h + 12; wy < base - 10; wy += 16)
    for (double wx = x + 8; wx < x + w - 10; wx += 14)
      if (rng.Chance(0.45)) {
        cairo_set_source_rgba(cr, 1.0, 0.78, 0.35, rng.Range(0.5, 1.0));
        cairo_rectangle(cr, wx, wy, 7, 8);
        cairo_fill(cr);
      }
}

void DrawCoolingTower(cairo_t* cr, double x, double base, double h) {
  cairo_new_path(cr);
  cairo_move_to(cr, x - 60, base);
  cairo_curve_to(cr, x - 35, base - h * 0.5, x - 30, base - h * 0.75, x - 40, base - h);
  cairo_line_to(cr, x + 40, base - h);
  cairo_curve_to(cr, x + 30, base - h * 0.75, x + 35, base - h * 0.5, x + 60, base);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(x - 60, 0, x + 60, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.3, 0.28, 0.3);
  cairo_pattern_add_color_stop_rgb(p, 0.4, 0.5, 0.46, 0.46);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.2, 0.18, 0.2);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// ---------------------------------------------------------- the film strip --

struct MiniScene {
  uint32_t skyTop, skyBottom, far, near, ground;
  bool night, water;
  double sunX, sunY;
  uint32_t sun;
};

void DrawMiniScene(Canvas& c, const Box& b, const MiniScene& s, uint64_t seed) {
  cairo_t* cr = c.Cr();
  cairo_save(cr);
  cairo_rectangle(cr, b.x, b.y, b.w, b.h);
  cairo_clip(cr);
  VerticalGradient(cr, b, Hex(s.skyTop), Hex(s.skyBottom));
  Rng rng(seed);
  if (s.night) ScatterStars(cr, rng, 60, Box{b.x, b.y, b.w, b.h * 0.6}, 0.5, 1.6);
  const double sx = b.x + b.w * s.sunX, sy = b.y + b.h * s.sunY;
  SoftDot(cr, sx, sy, b.h * 0.35, WithAlpha(Hex(s.sun), 0.5));
  Disc(cr, sx, sy, b.h * 0.09, Hex(s.sun));
  Ridge(cr, rng, Box{b.x, b.y + b.h * 0.5, b.w, b.h * 0.12}, b.y + b.h, 0.55, Hex(s.far));
  Ridge(cr, rng, Box{b.x, b.y + b.h * 0.68, b.w, b.h * 0.08}, b.y + b.h, 0.5, Hex(s.near));
  if (s.water) {
    VerticalGradient(cr, Box{b.x, b.y + b.h * 0.78, b.w, b.h * 0.22}, Hex(s.skyBottom), Hex(s.ground));
    for (int i = 0; i < 8; ++i) {  // glints of the sun on the water
      cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
      const double y = b.y + b.h * (0.8 + 0.025 * i), half = b.w * 0.08 / (1 + 0.3 * i);
      cairo_rectangle(cr, sx - half, y, 2 * half, 1.5);
      cairo_fill(cr);
    }
  } else {
    Ridge(cr, rng, Box{b.x, b.y + b.h * 0.84, b.w, b.h * 0.05}, b.y + b.h, 0.45, Hex(s.ground));
  }
  cairo_restore(cr);
}

}  // namespace

void DrawGirl(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double cx = c.W() * 0.47;
  VerticalGradient(cr, Box{0, 0, c.W(), c.H()}, Hex(0xF6A96B), Hex(0xC9587A));
  Rng rng(101);
  for (int i = 0; i < 18; ++i)  // out-of-focus lights behind her
    SoftDot(cr, rng.Range(0, c.W()), rng.Range(0, c.H()), rng.Range(20, 60), Rgba{1, 0.95, 0.8, rng.Range(0.2, 0.5)});
  DrawHairBack(cr, cx);
  DrawShoulders(cr, cx);
  DrawFace(c, cx);
  DrawFringe(cr, cx);
  DrawDaisy(cr, cx + 105, 150, 34);
  PhotoFinish(c, 102);
  PrintBorder(c, 14);
}

void DrawJapan(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  VerticalGradient(cr, Box{0, 0, w, h * 0.62}, Hex(0x9EC3E6), Hex(0xFBE2C8));
  SoftDot(cr, w * 0.26, h * 0.27, 110, Rgba{1, 0.6, 0.5, 0.35});
  Disc(cr, w * 0.26, h * 0.27, 44, Hex(0xD9342B));
  DrawFuji(cr, w * 0.6, h * 0.62, h * 0.2);
  Rng rng(111);
  Ridge(cr, rng, Box{0, h * 0.55, w, h * 0.05}, h, 0.5, Hex(0x7C86A8));
  Ridge(cr, rng, Box{0, h * 0.6, w, h * 0.04}, h, 0.5, Hex(0x535C80));
  VerticalGradient(cr, Box{0, h * 0.66, w, h * 0.34}, Hex(0xC9D6E8), Hex(0x6F86A8));  // lake
  for (int i = 0; i < 12; ++i) {
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_rectangle(cr, rng.Range(0, w * 0.9), rng.Range(h * 0.68, h * 0.95), rng.Range(30, 90), 1.5);
    cairo_fill(cr);
  }
  Ridge(cr, rng, Box{0, h * 0.62, w * 0.32, h * 0.05}, h * 0.7, 0.5, Hex(0x2F3550));  // left shore
  DrawPagoda(cr, w * 0.12, h * 0.64, 1.0);
  DrawTorii(cr, w * 0.42, h * 0.84, 0.9);
  DrawBlossomBranch(cr, w + 10, 20, 112);
  PhotoFinish(c, 113);
  PrintBorder(c, 14);
}

void DrawIndustry(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  VerticalGradient(cr, Box{0, 0, w, h * 0.75}, Hex(0x4A3F5C), Hex(0xE98A47));
  SoftDot(cr, w * 0.7, h * 0.55, 120, Rgba{1, 0.8, 0.5, 0.6});
  Disc(cr, w * 0.7, h * 0.55, 34, Rgba{1, 0.88, 0.65, 0.9});
  Rng rng(121);
  Ridge(cr, rng, Box{0, h * 0.6, w, h * 0.03}, h, 0.4, Hex(0x6B5468));  // distant town haze
  DrawCoolingTower(cr, w * 0.8, h * 0.78, 150);
  DrawChimney(cr, w * 0.2, h * 0.78, 250, 22);
  DrawChimney(cr, w * 0.3, h * 0.78, 210, 18);
  DrawChimney(cr, w * 0.55, h * 0.78, 280, 24);
  DrawSmoke(c, w * 0.2, h * 0.78 - 250, 122);
  DrawSmoke(c, w * 0.3, h * 0.78 - 210, 123);
  DrawSmoke(c, w * 0.55, h * 0.78 - 280, 124);
  DrawSmoke(c, w * 0.8, h * 0.78 - 150, 125);
  DrawFactoryBlock(cr, rng, 20, h * 0.82, 220, 70);
  DrawFactoryBlock(cr, rng, 250, h * 0.82, 160, 100);
  DrawFactoryBlock(cr, rng, 420, h * 0.82, 250, 60);
  cairo_set_source_rgb(cr, 0.2, 0.18, 0.2);  // pipes
  cairo_set_line_width(cr, 6);
  cairo_move_to(cr, 0, h * 0.74);
  cairo_line_to(cr, w, h * 0.74);
  cairo_stroke(cr);
  VerticalGradient(cr, Box{0, h * 0.82, w, h * 0.18}, Hex(0x2B2230), Hex(0x120E14));  // oily river
  for (int i = 0; i < 14; ++i) {
    cairo_set_source_rgba(cr, 1, 0.7, 0.4, 0.4);
    cairo_rectangle(cr, rng.Range(0, w), rng.Range(h * 0.84, h * 0.97), rng.Range(20, 60), 1.5);
    cairo_fill(cr);
  }
  PhotoFinish(c, 126);
  PrintBorder(c, 14);
}

void DrawPhotoStrip(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  const double bandTop = h * 0.14, bandBottom = h * 0.86;
  // The film itself, with sprocket holes left transparent.
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, 0, 0, w, h);
  for (double x = 6; x < w; x += 28) {
    RoundedRect(cr, Box{x, h * 0.035, 14, h * 0.07}, 3);
    RoundedRect(cr, Box{x, h * 0.895, 14, h * 0.07}, 3);
  }
  cairo_set_source_rgba(cr, 0.08, 0.06, 0.05, 0.92);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  const MiniScene scenes[8] = {
      {0xF2A65A, 0xFBE3A1, 0xD08A48, 0xB36A30, 0x8C4E22, false, false, 0.7, 0.45, 0xFFF3C0},  // dunes at dusk
      {0x050A24, 0x1F3A6E, 0x101830, 0x0A0F20, 0x081028, true, true, 0.3, 0.3, 0xF4F1DE},    // moonlit sea
      {0x7FB8E8, 0xE6F2FA, 0x6F8FA8, 0x3F6A4A, 0x2F5A38, false, true, 0.2, 0.3, 0xFFFFF0},   // mountain lake
      {0x1A0F3A, 0xD9486B, 0x40204A, 0x201028, 0x100818, false, false, 0.5, 0.62, 0xFFD080}, // purple sunset
      {0x9ED0F0, 0xF0F8FF, 0x8CB870, 0x5E9440, 0x4C7E30, false, false, 0.8, 0.25, 0xFFFFE0}, // green hills
      {0x000008, 0x101838, 0x303048, 0x181828, 0x0C0C18, true, false, 0.35, 0.35, 0xC07050},  // red planet rising
      {0xF8C27A, 0xFDEBD0, 0x7A9AB8, 0x4A6A88, 0x36506A, false, true, 0.5, 0.55, 0xFF8040},  // harbour sunrise
      {0x2A5D8C, 0xB8DCF0, 0xF0F0F8, 0xC8D4E0, 0xE8EEF4, false, false, 0.75, 0.3, 0xFFFFFF}, // snowfield
  };
  const double frameW = w / 8;
  for (int i = 0; i < 8; ++i) {
    const Box pic{i * frameW + frameW * 0.06, bandTop + 6, frameW * 0.88, bandBottom - bandTop - 12};
    cairo_set_source_rgb(cr, 0.95, 0.94, 0.9);  // print edge
    cairo_rectangle(cr, pic.x - 4, pic.y - 4, pic.w + 8, pic.h + 8);
    cairo_fill(cr);
    DrawMiniScene(c, pic, scenes[i], 130 + i);
  }
}
