// Lettering: lyric lines, the group's logo and name, the title, member cards,
// greetings bands, credits, the party card, the loading card and the setup
// dialog's picture.
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "Paint.h"
#include "PictureDraw.h"

namespace {

constexpr double kPi = 3.141592653589793;

// The scenes show a square picture on a 2 x 2 quad at a distance where the
// letterbox bars leave only about the middle 70 % of its height visible.
constexpr double kVisibleTop = 0.16, kVisibleBottom = 0.84;

TextStyle LyricStyle() {
  TextStyle s;
  s.font = "Noto Serif Display Italic";
  s.colour = Rgba{1, 1, 1, 1};
  s.shadowOffset = 0;  // a dark halo instead, so the words read on white too
  s.glowRadius = 14;
  s.glowColour = Rgba{0.05, 0.03, 0.12, 0.75};
  return s;
}

TextStyle NameStyle() {
  TextStyle s;
  s.font = "Noto Sans Display Bold";
  s.glowRadius = 10;
  s.glowColour = Rgba{0.35, 0.8, 1.0, 0.9};
  return s;
}

// A thin line fading out at both ends, used as an ornament under titles.
void Flourish(cairo_t* cr, double x0, double x1, double y, const Rgba& colour, double width) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, colour.r, colour.g, colour.b, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.5, colour.r, colour.g, colour.b, colour.a);
  cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x0, y - width / 2, x1 - x0, width);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

std::string Spaced(const std::string& text, int spacing) {
  return "<span letter_spacing=\"" + std::to_string(spacing) + "\">" + text + "</span>";
}

// The group's emblem: a ring (the Q) with its tail, a V inside and a spark.
void Emblem(Canvas& c, double x, double y, double r) {
  auto shape = [=](cairo_t* t) {
    cairo_set_line_cap(t, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(t, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(t);
    cairo_arc(t, x, y, r, 0, 2 * kPi);
    cairo_set_line_width(t, r * 0.12);
    cairo_stroke(t);
    cairo_move_to(t, x + r * 0.2, y + r * 0.78);  // tail of the Q, a swash under the ring
    cairo_curve_to(t, x + r * 0.6, y + r * 1.25, x + r * 1.0, y + r * 1.1, x + r * 1.35, y + r * 0.85);
    cairo_set_line_width(t, r * 0.11);
    cairo_stroke(t);
    cairo_move_to(t, x - r * 0.52, y - r * 0.42);  // the V
    cairo_line_to(t, x, y + r * 0.58);
    cairo_line_to(t, x + r * 0.52, y - r * 0.42);
    cairo_set_line_width(t, r * 0.16);
    cairo_stroke(t);
  };
  c.Glow(r * 0.25, Rgba{0.25, 0.7, 1.0, 0.95}, shape);
  cairo_t* cr = c.Cr();
  cairo_save(cr);
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, y - r, 0, y + r);
  cairo_pattern_add_color_stop_rgb(gold, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(gold, 1, 0.75, 0.9, 1);
  cairo_set_source(cr, gold);
  shape(cr);
  cairo_pattern_destroy(gold);
  cairo_restore(cr);
  Sparkle(cr, x, y - r * 0.62, r * 0.45, r * 0.08, Rgba{1, 0.9, 0.6, 1});
  SoftDot(cr, x, y - r * 0.62, r * 0.2, Rgba{1, 0.85, 0.5, 0.9});
}

}  // namespace

void DrawLyric(Canvas& c, const char* line) {
  DrawText(c, line, LyricStyle(), Box{c.W() * 0.03, c.H() * 0.12, c.W() * 0.94, c.H() * 0.72});
}

void DrawLogo(Canvas& c) {
  // The logo scene draws the group's name over the lower part of this
  // picture, so the emblem sits in the upper half.
  Emblem(c, c.W() * 0.5, c.H() * 0.37, c.H() * 0.2);
}

void DrawGroupName(Canvas& c, bool arabic) {
  // Drawn 0.8 units below the logo: its visible top third holds the name.
  TextStyle s = NameStyle();
  const Box band{c.W() * 0.04, c.H() * 0.32, c.W() * 0.92, c.H() * 0.16};
  if (arabic) {
    s.font = "Noto Naskh Arabic Bold";
    DrawText(c, "ڤانتل كوريكس", s, Box{band.x, band.y - band.h * 0.15, band.w, band.h * 1.3});
  } else {
    s.markup = true;
    DrawText(c, Spaced("VANTEL QUORIX", 12000), s, band);
  }
}

void DrawPresents(Canvas& c, bool arabic) {
  TextStyle s = LyricStyle();
  s.glowColour = Rgba{0.9, 0.6, 0.2, 0.7};
  const Box band{c.W() * 0.15, c.H() * 0.42, c.W() * 0.7, c.H() * 0.16};
  if (arabic) {
    s.font = "Noto Naskh Arabic";
    DrawText(c, "تُقدِّم", s, Box{band.x, band.y - band.h * 0.2, band.w, band.h * 1.4});
  } else {
    DrawText(c, "presents", s, band);
  }
  Flourish(c.Cr(), c.W() * 0.25, c.W() * 0.75, c.H() * 0.62, Rgba{1, 0.85, 0.5, 0.8}, 2);
}

// The title shares its seconds with a lyric line whose quad covers the lower
// half of this picture on screen: title, flourish and subtitle all stay in
// the upper half, the title itself in the upper-middle band.
void DrawTitle(Canvas& c) {
  cairo_t* cr = c.Cr();
  TextStyle s;
  s.font = "Noto Serif Display Bold";
  s.shadowOffset = 10;
  s.shadowColour = Rgba{0.15, 0.05, 0.0, 0.7};
  s.glowRadius = 30;
  s.glowColour = Rgba{1.0, 0.75, 0.3, 0.8};
  s.outline = 4;
  s.outlineColour = Rgba{0.35, 0.18, 0.02, 1};
  s.colour = Rgba{1.0, 0.92, 0.66, 1};
  const Box ink = DrawText(c, "Lumivane", s, Box{c.W() * 0.06, c.H() * 0.15, c.W() * 0.88, c.H() * 0.2});
  const double rule = ink.y + ink.h + c.H() * 0.03;
  Flourish(cr, c.W() * 0.12, c.W() * 0.88, rule, Rgba{1, 0.9, 0.6, 0.95}, 4);
  Sparkle(cr, c.W() * 0.5, rule, c.H() * 0.04, c.H() * 0.008, Rgba{1, 1, 0.9, 1});
  TextStyle sub = s;
  sub.font = "Noto Serif Display Italic";
  sub.outline = 2;
  sub.glowRadius = 12;
  sub.shadowOffset = 4;
  DrawText(c, "a lamp in the desert", sub, Box{c.W() * 0.22, rule + c.H() * 0.02, c.W() * 0.56, c.H() * 0.07});
}

void DrawMemberCard(Canvas& c, const char* name, const char* role) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  Emblem(c, w * 0.5, h * 0.3, h * 0.07);
  TextStyle s = NameStyle();
  s.markup = true;
  std::string upper(name);
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  const Box ink = DrawText(c, Spaced(upper, 8000), s, Box{w * 0.1, h * 0.42, w * 0.8, h * 0.14});
  Flourish(cr, w * 0.15, w * 0.85, ink.y + ink.h + h * 0.04, Rgba{0.6, 0.9, 1, 0.9}, 2);
  TextStyle r = LyricStyle();
  r.glowRadius = 6;
  DrawText(c, role, r, Box{w * 0.2, ink.y + ink.h + h * 0.07, w * 0.6, h * 0.07});
}

void DrawGreetings(Canvas& c, int band) {
  static const std::vector<std::string> names[2] = {
      {"Nullpoint", "Krakenfall", "Osmium Tide", "Pixelwerk", "Soft Static", "Cobalt Nine", "Lumen Vault",
       "Hexagrams"},
      {"Dustbyte", "Tinfoil Ark", "Glasshouse", "Nox Aurora", "Quartzline", "Rastermind", "Brume", "Echo Delta"},
  };
  std::string text = band == 1 ? "greetings to" : "and to";
  for (const std::string& n : names[band == 1 ? 0 : 1]) text += "  \u2726  " + n;
  TextStyle s;
  s.font = "Noto Sans Display Bold";
  s.glowRadius = 8;
  s.glowColour = band == 1 ? Rgba{1.0, 0.55, 0.85, 0.9} : Rgba{0.45, 0.9, 1.0, 0.9};
  DrawText(c, text, s, Box{c.W() * 0.01, c.H() * 0.12, c.W() * 0.98, c.H() * 0.76});
}

void DrawFinalCredits(Canvas& c) {
  const double w = c.W(), h = c.H();
  TextStyle title = NameStyle();
  title.markup = true;
  const Box ink = DrawText(c, Spaced("LUMIVANE", 10000), title, Box{w * 0.12, h * 0.1, w * 0.76, h * 0.12});
  Flourish(c.Cr(), w * 0.15, w * 0.85, ink.y + ink.h + h * 0.035, Rgba{0.6, 0.9, 1, 0.9}, 2);
  TextStyle body;
  body.font = "Noto Sans Display";
  body.markup = true;
  body.lineSpacing = 1.25;
  body.glowRadius = 4;
  body.glowColour = Rgba{0.3, 0.6, 1.0, 0.5};
  const std::string credits =
      "<i>a Vantel Quorix production</i>\n\n"
      "code  <b>Pelmar</b>\n"
      "music  <b>Drevko</b>\n"
      "pictures  <b>Pelmar &amp; Drevko</b>\n\n"
      "released at <b>Ruxoparty</b>\n"
      "<i>thank you for watching</i>";
  DrawText(c, credits, body, Box{w * 0.1, ink.y + ink.h + h * 0.07, w * 0.8, h * 0.66});
}

void DrawPartyCard(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  const Box card{w * 0.04, h * 0.08, w * 0.92, h * 0.84};
  RoundedRect(cr, card, h * 0.08);
  cairo_pattern_t* p = cairo_pattern_create_linear(card.x, card.y, card.x + card.w, card.y + card.h);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.35, 0.05, 0.35, 0.85);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.05, 0.1, 0.35, 0.85);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 1, 0.7, 0.3, 0.9);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  Rng rng(301);
  for (int i = 0; i < 26; ++i)  // confetti lights
    SoftDot(cr, rng.Range(card.x + 30, card.x + card.w - 30), rng.Range(card.y + 20, card.y + card.h - 20),
            rng.Range(6, 22), Rgba{1, rng.Range(0.4, 0.9), rng.Range(0.3, 1.0), rng.Range(0.3, 0.7)});
  TextStyle s;
  s.font = "Noto Sans Display Bold";
  s.markup = true;
  s.glowRadius = 14;
  s.glowColour = Rgba{1.0, 0.45, 0.75, 0.95};
  const Box ink = DrawText(c, Spaced("RUXOPARTY", 6000), s, Box{w * 0.1, h * 0.2, w * 0.8, h * 0.34});
  TextStyle sub = LyricStyle();
  sub.glowColour = Rgba{0.2, 0.0, 0.3, 0.8};
  DrawText(c, "see you at the next party by the river", sub, Box{w * 0.12, ink.y + ink.h + h * 0.08, w * 0.76, h * 0.13});
  Flourish(cr, w * 0.2, w * 0.8, ink.y + ink.h + h * 0.04, Rgba{1, 0.8, 0.5, 0.9}, 3);
}

void DrawLoading(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  const Box card{w * 0.06, h * 0.18, w * 0.88, h * 0.64};
  cairo_save(cr);
  RoundedRect(cr, card, 24);
  cairo_clip(cr);
  VerticalGradient(cr, card, Hex(0x1B1440, 0.95), Hex(0x060418, 0.95));
  cairo_restore(cr);
  RoundedRect(cr, card, 24);
  cairo_set_source_rgba(cr, 0.4, 0.75, 1.0, 0.8);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  Emblem(c, w * 0.5, h * 0.34, h * 0.07);
  TextStyle title;
  title.font = "Noto Serif Display Bold";
  title.colour = Rgba{1.0, 0.92, 0.66, 1};
  title.glowRadius = 12;
  title.glowColour = Rgba{1.0, 0.7, 0.25, 0.8};
  const Box ink = DrawText(c, "Lumivane", title, Box{w * 0.18, h * 0.45, w * 0.64, h * 0.13});
  TextStyle small = NameStyle();
  small.markup = true;
  small.glowRadius = 4;
  DrawText(c, Spaced("VANTEL QUORIX", 6000), small, Box{w * 0.25, ink.y + ink.h + h * 0.035, w * 0.5, h * 0.04});
  const double barY = h * 0.72;  // a progress bar, caught two thirds of the way
  RoundedRect(cr, Box{w * 0.2, barY, w * 0.6, h * 0.022}, h * 0.011);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
  cairo_fill(cr);
  RoundedRect(cr, Box{w * 0.2, barY, w * 0.4, h * 0.022}, h * 0.011);
  cairo_set_source_rgba(cr, 0.45, 0.85, 1.0, 0.95);
  cairo_fill(cr);
  TextStyle note = LyricStyle();
  note.glowRadius = 0;
  note.colour = Rgba{0.8, 0.9, 1, 0.9};
  DrawText(c, "loading\u2026", note, Box{w * 0.3, barY + h * 0.028, w * 0.4, h * 0.065});
}

void DrawSetupPicture(Canvas& c) {
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  VerticalGradient(cr, Box{0, 0, w, h}, Hex(0x1A1046), Hex(0xF29A52));
  Rng rng(311);
  ScatterStars(cr, rng, 40, Box{0, 0, w, h * 0.4}, 0.3, 0.9);
  SoftDot(cr, w * 0.5, h * 0.7, 40, Rgba{1, 0.85, 0.5, 0.8});
  Ridge(cr, rng, Box{0, h * 0.72, w, h * 0.05}, h, 0.45, Hex(0xB0602E));
  Ridge(cr, rng, Box{0, h * 0.82, w, h * 0.04}, h, 0.45, Hex(0x6E3418));
  TextStyle title;
  title.font = "Noto Serif Display Bold";
  title.colour = Rgba{1.0, 0.93, 0.7, 1};
  title.glowRadius = 3;
  title.glowColour = Rgba{1.0, 0.6, 0.2, 0.9};
  DrawText(c, "Lumivane", title, Box{6, h * 0.16, w - 12, h * 0.16});
  TextStyle group = NameStyle();
  group.font = "Noto Sans Display Bold";
  group.glowRadius = 2;
  DrawText(c, "VANTEL QUORIX", group, Box{14, h * 0.34, w - 28, h * 0.06});
  Emblem(c, w * 0.5, h * 0.55, h * 0.07);
}

void DrawIcon(Canvas& c) {
  // The desktop's application icon: the setup picture's dusk over the dunes in
  // a rounded square, the emblem glowing in the middle.
  cairo_t* cr = c.Cr();
  const double w = c.W(), h = c.H();
  const Box tile{w * 0.04, h * 0.04, w * 0.92, h * 0.92};
  cairo_save(cr);
  RoundedRect(cr, tile, w * 0.18);
  cairo_clip(cr);
  VerticalGradient(cr, tile, Hex(0x140C3A), Hex(0xE08A4A));
  Rng rng(257);
  ScatterStars(cr, rng, 30, Box{tile.x, tile.y, tile.w, h * 0.35}, 0.6, 1.6);
  SoftDot(cr, w * 0.5, h * 0.74, w * 0.3, Rgba{1, 0.8, 0.45, 0.7});
  Ridge(cr, rng, Box{0, h * 0.74, w, h * 0.05}, h, 0.45, Hex(0xA8582A));
  Ridge(cr, rng, Box{0, h * 0.84, w, h * 0.04}, h, 0.45, Hex(0x5E2C14));
  cairo_restore(cr);
  RoundedRect(cr, tile, w * 0.18);
  cairo_set_source_rgba(cr, 0.45, 0.8, 1.0, 0.7);
  cairo_set_line_width(cr, w * 0.012);
  cairo_stroke(cr);
  Emblem(c, w * 0.47, h * 0.44, h * 0.24);
}
