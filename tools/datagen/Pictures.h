#pragma once
#include <functional>
#include <string>
#include <vector>

class Canvas;

// One picture of the data folder: its file stem, pixel size, the shape of the
// quad the demo shows it on (width / height), whether it keeps an alpha
// channel, and the code that draws it.
struct PictureSpec {
  std::string name;
  int width;
  int height;
  double aspect;
  bool alpha;
  std::function<void(Canvas&)> draw;
};

// The 64 texture slots, in slot order.
const std::vector<PictureSpec>& TexturePictures();

// The loading picture ("load") and the setup dialog's picture ("setup").
const std::vector<PictureSpec>& ExtraPictures();

// The application icon for the desktop (256 x 256, with alpha); installed
// beside the programs, not part of the data folder.
const PictureSpec& IconPicture();

// Draws one picture and writes it to `path` as PNG.
bool RenderPicture(const PictureSpec& spec, const std::string& path);
