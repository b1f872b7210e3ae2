#include "Canvas.h"

#include <cmath>
#include <cstdint>
#include <vector>

Canvas::Canvas(int pixelWidth, int pixelHeight, double aspect)
    : pixelWidth(pixelWidth), pixelHeight(pixelHeight), height(pixelHeight) {
  width = aspect > 0.0 ? pixelHeight * aspect : pixelWidth;
  surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight);
  cr = cairo_create(surface);
  ApplyTransform(cr);
}

Canvas::~Canvas() {
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void Canvas::ApplyTransform(cairo_t* target) const { cairo_scale(target, pixelWidth / width, 1.0); }

void Canvas::Clear(const Rgba& colour) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetColour(cr, colour);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Canvas::FillPixels(const std::function<Rgba(double u, double v)>& shade) {
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < pixelHeight; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    const double v = (y + 0.5) / pixelHeight;
    for (int x = 0; x < pixelWidth; ++x) {
      Rgba c = shade((x + 0.5) / pixelWidth, v);
      const double a = Clamp01(c.a);
      auto channel = [a](double value) { return static_cast<uint32_t>(std::lround(Clamp01(value) * a * 255.0)); };
      row[x] = (static_cast<uint32_t>(std::lround(a * 255.0)) << 24) | (channel(c.r) << 16) | (channel(c.g) << 8) |
               channel(c.b);
    }
  }
  cairo_surface_mark_dirty(surface);
}

void Canvas::Glow(double radius, const Rgba& colour, const std::function<void(cairo_t*)>& shape) {
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, pixelWidth, pixelHeight);
  cairo_t* mc = cairo_create(mask);
  cairo_matrix_t current;  // the shape is drawn in the canvas's current user space
  cairo_get_matrix(cr, &current);
  cairo_set_matrix(mc, &current);
  cairo_set_source_rgba(mc, 1, 1, 1, 1);
  shape(mc);
  cairo_destroy(mc);
  BoxBlurSurface(mask, radius * XScale(), radius);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  SetColour(cr, colour);
  cairo_mask_surface(cr, mask, 0, 0);
  cairo_restore(cr);
  cairo_surface_destroy(mask);
}

void SetColour(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

cairo_pattern_t* RadialGradient(double x, double y, double r, const Rgba& inner, const Rgba& outer) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
  cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, inner.a);
  cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outer.a);
  return p;
}

namespace {

// One horizontal or vertical running-sum box blur over `channels` interleaved
// bytes per pixel. Pixels beyond the edge count as transparent.
void BoxPass(std::vector<float>& img, int w, int h, int channels, int radius, bool horizontal) {
  if (radius <= 0) return;
  const int length = horizontal ? w : h, lines = horizontal ? h : w;
  std::vector<float> line(static_cast<size_t>(length) * channels), out(line.size());
  const float norm = 1.0f / (2 * radius + 1);
  for (int l = 0; l < lines; ++l) {
    auto at = [&](int i) { return horizontal ? (static_cast<size_t>(l) * w + i) : (static_cast<size_t>(i) * w + l); };
    for (int i = 0; i < length; ++i)
      for (int c = 0; c < channels; ++c) line[i * channels + c] = img[at(i) * channels + c];
    for (int c = 0; c < channels; ++c) {
      float sum = 0;
      for (int i = 0; i <= radius && i < length; ++i) sum += line[i * channels + c];
      for (int i = 0; i < length; ++i) {
        out[i * channels + c] = sum * norm;
        const int add = i + radius + 1, drop = i - radius;
        if (add < length) sum += line[add * channels + c];
        if (drop >= 0) sum -= line[drop * channels + c];
      }
    }
    for (int i = 0; i < length; ++i)
      for (int c = 0; c < channels; ++c) img[at(i) * channels + c] = out[i * channels + c];
  }
}

}  // namespace

void BoxBlurSurface(cairo_surface_t* surface, double radiusX, double radiusY) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int channels = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_A8 ? 1 : 4;
  unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<float> img(static_cast<size_t>(w) * h * channels);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * channels; ++x) img[static_cast<size_t>(y) * w * channels + x] = data[y * stride + x];
  // Three box passes of radius r/sqrt(3)-ish approximate a Gaussian of that spread.
  const int rx = static_cast<int>(std::lround(radiusX * 0.6)), ry = static_cast<int>(std::lround(radiusY * 0.6));
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(img, w, h, channels, rx, true);
    BoxPass(img, w, h, channels, ry, false);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * channels; ++x)
      data[y * stride + x] =
          static_cast<unsigned char>(std::lround(std::min(255.0f, img[static_cast<size_t>(y) * w * channels + x])));
  cairo_surface_mark_dirty(surface);
}
