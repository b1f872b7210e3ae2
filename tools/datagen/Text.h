#pragma once
#include <string>

#include "Canvas.h"

struct Box {
  double x = 0, y = 0, w = 0, h = 0;
};

enum class Align { Left, Centre, Right };

struct TextStyle {
  std::string font = "DejaVu Sans Bold";  // Pango font description without size
  Rgba colour{1, 1, 1, 1};
  double glowRadius = 0;  // 0: no glow
  Rgba glowColour{1, 1, 1, 0.8};
  double outline = 0;  // outline width in drawing units, 0: none
  Rgba outlineColour{0, 0, 0, 1};
  double shadowOffset = 0;  // soft drop shadow below and right, 0: none
  Rgba shadowColour{0, 0, 0, 0.6};
  Align align = Align::Centre;
  bool markup = false;     // text is Pango markup (several lines, spans)
  double lineSpacing = 1;  // factor on the font's line height (multi-line text)
  bool keepSize = false;   // true: draw at `size` units, do not scale to the box
  double size = 100;       // font size in units before fitting
};

// Draws `text` as large as fits inside `box` (keeping its proportions),
// centred vertically and aligned horizontally in the box, with the style's
// glow, shadow and outline. Returns the box the ink finally covers.
Box DrawText(Canvas& canvas, const std::string& text, const TextStyle& style, const Box& box);
