#include "Text.h"

#include <pango/pangocairo.h>

#include <algorithm>

namespace {

// Fixed font options: no hinting, grey antialiasing, so the glyphs come out
// the same whatever the desktop's font configuration says.
void FixFontOptions(PangoContext* context) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

// The layout is made once in an untransformed context and then only turned
// into paths, so it never re-flows whatever transform it is drawn with.
PangoLayout* MakeLayout(const std::string& text, const TextStyle& style) {
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  FixFontOptions(context);
  PangoLayout* layout = pango_layout_new(context);
  g_object_unref(context);
  PangoFontDescription* desc = pango_font_description_from_string(style.font.c_str());
  pango_font_description_set_absolute_size(desc, style.size * PANGO_SCALE);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  if (style.lineSpacing != 1) pango_layout_set_line_spacing(layout, static_cast<float>(style.lineSpacing));
  PangoAlignment align = style.align == Align::Left    ? PANGO_ALIGN_LEFT
                         : style.align == Align::Right ? PANGO_ALIGN_RIGHT
                                                       : PANGO_ALIGN_CENTER;
  pango_layout_set_alignment(layout, align);
  if (style.markup)
    pango_layout_set_markup(layout, text.c_str(), -1);
  else
    pango_layout_set_text(layout, text.c_str(), -1);
  return layout;
}

// The text's outline in layout units (font size `style.size`), made in an
// untransformed, unbounded scratch context: the layout never re-flows for a
// transform and Pango culls no glyph as lying outside a surface.
cairo_path_t* LayoutOutline(PangoLayout* layout) {
  cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
  cairo_t* scratch = cairo_create(surface);
  pango_cairo_update_layout(scratch, layout);
  pango_cairo_layout_path(scratch, layout);
  cairo_path_t* outline = cairo_copy_path(scratch);
  cairo_destroy(scratch);
  cairo_surface_destroy(surface);
  return outline;
}

// Moves and scales every point of a path: p' = offset + p * scale.
void TransformPath(cairo_path_t* path, double scale, double offsetX, double offsetY) {
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const int length = path->data[i].header.length;
    for (int k = 1; k < length; ++k) {
      cairo_path_data_t& point = path->data[i + k];
      point.point.x = offsetX + point.point.x * scale;
      point.point.y = offsetY + point.point.y * scale;
    }
  }
}

}  // namespace

Box DrawText(Canvas& canvas, const std::string& text, const TextStyle& style, const Box& box) {
  cairo_t* cr = canvas.Cr();
  PangoLayout* layout = MakeLayout(text, style);
  cairo_path_t* outline = LayoutOutline(layout);
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout, &ink, &logical);
  g_object_unref(layout);
  const double inkX = ink.x / double(PANGO_SCALE), inkY = ink.y / double(PANGO_SCALE);
  const double inkW = std::max(1.0, ink.width / double(PANGO_SCALE));
  const double inkH = std::max(1.0, ink.height / double(PANGO_SCALE));
  // Fit by ink, padded for the outline and glow so they stay inside the box.
  const double pad = style.outline + style.glowRadius * 0.5 + style.shadowOffset;
  double scale = std::min((box.w - 2 * pad) / inkW, (box.h - 2 * pad) / inkH);
  if (style.keepSize) scale = std::min(1.0, scale);
  const double drawnW = inkW * scale, drawnH = inkH * scale;
  double left = box.x + (box.w - drawnW) / 2;
  if (style.align == Align::Left) left = box.x + pad;
  if (style.align == Align::Right) left = box.x + box.w - pad - drawnW;
  const double top = box.y + (box.h - drawnH) / 2;
  // Appended in the canvas's drawing space (which may be squeezed
  // horizontally) the glyphs take the squeeze along with their positions.
  TransformPath(outline, scale, left - inkX * scale, top - inkY * scale);

  auto path = [&](cairo_t* target, double dx, double dy) {
    cairo_save(target);
    cairo_translate(target, dx, dy);
    cairo_new_path(target);
    cairo_append_path(target, outline);
    cairo_restore(target);
  };
  if (style.shadowOffset > 0) {
    canvas.Glow(style.shadowOffset, style.shadowColour, [&](cairo_t* t) {
      path(t, style.shadowOffset, style.shadowOffset);
      cairo_fill(t);
    });
  }
  if (style.glowRadius > 0) {
    canvas.Glow(style.glowRadius, style.glowColour, [&](cairo_t* t) {
      path(t, 0, 0);
      cairo_fill(t);
    });
  }
  path(cr, 0, 0);
  if (style.outline > 0) {
    SetColour(cr, style.outlineColour);
    cairo_set_line_width(cr, style.outline * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, style.colour);
  cairo_fill(cr);
  cairo_path_destroy(outline);
  return Box{left, top, drawnW, drawnH};
}
