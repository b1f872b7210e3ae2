#pragma once
#include <cairo.h>

#include <string>

// Writes an ARGB32 cairo surface as a PNG file: RGBA (straight alpha) when
// withAlpha is true, otherwise RGB, through the project's PngWriter (the same
// pixels always give the same bytes).
bool WritePng(const std::string& path, cairo_surface_t* surface, bool withAlpha);
