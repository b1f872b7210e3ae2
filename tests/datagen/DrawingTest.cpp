// The drawing helpers under the pictures: PNG writing, the squeezed drawing
// space of wide quads, text fitting, tileable noise and the generator.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "Canvas.h"
#include "Noise.h"
#include "SurfacePng.h"
#include "Random.h"
#include "TestData.h"
#include "Text.h"

namespace {

std::string TempPng(const char* name) { return std::string(DATAGEN_TEST_OUTPUT) + "/" + name + ".png"; }

// Columns (as fractions of the width) between which a row has ink.
std::pair<double, double> InkColumns(const PngImage& img, int y) {
  int lo = img.width, hi = -1;
  for (int x = 0; x < img.width; ++x)
    if (img.At(x, y, 3) > 128) {
      lo = std::min(lo, x);
      hi = std::max(hi, x);
    }
  return {double(lo) / img.width, double(hi + 1) / img.width};
}

}  // namespace

TEST(PngWriter, StoresStraightAlphaAndDropsItForRgb) {
  Canvas canvas(256, 128);
  canvas.Clear(Rgba{0, 0, 0, 0});
  cairo_t* cr = canvas.Cr();
  cairo_set_source_rgba(cr, 1.0, 0.5, 0.25, 0.5);  // half-transparent orange on the left
  cairo_rectangle(cr, 0, 0, 128, 128);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.0, 0.0, 1.0);  // opaque blue on the right
  cairo_rectangle(cr, 128, 0, 128, 128);
  cairo_fill(cr);
  ASSERT_TRUE(WritePng(TempPng("alpha"), canvas.Surface(), true));
  ASSERT_TRUE(WritePng(TempPng("opaque"), canvas.Surface(), false));
  PngImage rgba, rgb;
  ASSERT_TRUE(ReadPng(TempPng("alpha"), rgba));
  ASSERT_TRUE(ReadPng(TempPng("opaque"), rgb));
  EXPECT_EQ(rgba.channels, 4);
  EXPECT_EQ(rgb.channels, 3);
  EXPECT_EQ(rgba.width, 256);
  EXPECT_EQ(rgba.height, 128);
  EXPECT_NEAR(rgba.At(10, 10, 0), 255, 2);  // colour is not darkened by the alpha
  EXPECT_NEAR(rgba.At(10, 10, 1), 128, 2);
  EXPECT_NEAR(rgba.At(10, 10, 2), 64, 2);
  EXPECT_NEAR(rgba.At(10, 10, 3), 128, 1);
  EXPECT_EQ(rgba.At(200, 10, 2), 255);
  EXPECT_EQ(rgba.At(200, 10, 3), 255);
  EXPECT_EQ(rgb.At(200, 10, 2), 255);
}

TEST(Canvas, DrawingSpaceHasTheShapeOfTheQuad) {
  // A 1024 x 256 texture shown on a 6:1 quad: a square in drawing units must
  // come out two thirds as wide in pixels, so that it looks square on screen.
  Canvas canvas(1024, 256, 6.0);
  EXPECT_DOUBLE_EQ(canvas.W(), 1536.0);
  EXPECT_DOUBLE_EQ(canvas.H(), 256.0);
  canvas.Clear(Rgba{0, 0, 0, 0});
  cairo_rectangle(canvas.Cr(), 0, 0, 240, 240);
  SetColour(canvas.Cr(), Rgba{1, 1, 1, 1});
  cairo_fill(canvas.Cr());
  ASSERT_TRUE(WritePng(TempPng("square"), canvas.Surface(), true));
  PngImage img;
  ASSERT_TRUE(ReadPng(TempPng("square"), img));
  const auto [first, last] = InkColumns(img, 100);
  EXPECT_NEAR((last - first) * img.width, 160.0, 1.0);
}

TEST(Text, FitsTheBoxAndKeepsEveryGlyphOfALongLine) {
  // Long lines on very wide quads once lost their glyphs beyond the first few
  // hundred units; every word must reach the far end of the box.
  Canvas canvas(1024, 128, 30.0);
  canvas.Clear(Rgba{0, 0, 0, 0});
  TextStyle style;
  const Box box{40, 16, canvas.W() - 80, 96};
  const Box ink = DrawText(canvas, "one two three four five six seven eight nine ten eleven twelve thirteen fourteen", style, box);
  EXPECT_GE(ink.x, box.x - 0.5);
  EXPECT_LE(ink.x + ink.w, box.x + box.w + 0.5);
  EXPECT_GE(ink.y, box.y - 0.5);
  EXPECT_LE(ink.y + ink.h, box.y + box.h + 0.5);
  EXPECT_NEAR(ink.w, box.w, 1.0);  // this line is long: its width is the limit
  ASSERT_TRUE(WritePng(TempPng("longline"), canvas.Surface(), true));
  PngImage img;
  ASSERT_TRUE(ReadPng(TempPng("longline"), img));
  double first = 1, last = 0;
  for (int y = 0; y < img.height; ++y) {
    const auto [a, b] = InkColumns(img, y);
    first = std::min(first, a);
    last = std::max(last, b);
  }
  EXPECT_LT(first, 0.06);
  EXPECT_GT(last, 0.94);
}

TEST(Text, SeveralLinesLandInsideTheBoxItReports) {
  // Scaled multi-line layouts once re-flowed to twice their measured height
  // and lost their last lines below the picture.
  Canvas canvas(512, 512);
  canvas.Clear(Rgba{0, 0, 0, 0});
  TextStyle style;
  style.markup = true;
  style.lineSpacing = 1.25;
  const Box ink = DrawText(canvas, "first line\n\n<b>third</b> line\n<i>last line</i>", style, Box{50, 100, 412, 300});
  ASSERT_TRUE(WritePng(TempPng("lines"), canvas.Surface(), true));
  PngImage img;
  ASSERT_TRUE(ReadPng(TempPng("lines"), img));
  int top = img.height, bottom = -1;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      if (img.At(x, y, 3) > 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_NEAR(top, ink.y, 2.0);
  EXPECT_NEAR(bottom + 1, ink.y + ink.h, 2.0);
  EXPECT_GE(top, 100);
  EXPECT_LE(bottom, 400);
}

TEST(Text, ArabicIsShapedIntoJoinedLetters) {
  // Joined Arabic letters leave few gaps: the same letters written apart
  // (isolated forms, separated by spaces) come out much wider.
  Canvas joined(512, 128), apart(512, 128);
  TextStyle style;
  style.font = "Noto Naskh Arabic";
  style.keepSize = true;
  style.size = 40;
  const Box box{0, 0, 512, 128};
  const double joinedWidth = DrawText(joined, "كوريكس", style, box).w;
  const double apartWidth = DrawText(apart, "ك و ر ي ك س", style, box).w;
  EXPECT_LT(joinedWidth, apartWidth * 0.7);
}

TEST(Noise, RepeatsOverItsPeriod) {
  for (double x : {0.1, 1.7, 3.33})
    for (double y : {0.25, 2.9}) {
      EXPECT_NEAR(TileNoise(x, y, 4, 3, 7), TileNoise(x + 4, y, 4, 3, 7), 1e-12);
      EXPECT_NEAR(TileNoise(x, y, 4, 3, 7), TileNoise(x, y + 3, 4, 3, 7), 1e-12);
      const double f = TileFbm(x / 4, y / 4, 3, 4, 0.5, 9);
      EXPECT_NEAR(f, TileFbm(x / 4 + 1.0, y / 4, 3, 4, 0.5, 9), 1e-12);
      EXPECT_GE(f, 0.0);
      EXPECT_LE(f, 1.0);
    }
}

TEST(Rng, IsDeterministicAndStaysInRange) {
  Rng a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    const double u = a.Uniform();
    EXPECT_EQ(u, b.Uniform());
    differs |= u != c.Uniform();
    EXPECT_GE(u, 0.0);
    EXPECT_LT(u, 1.0);
    const int k = a.Below(7);
    b.Below(7);
    c.Below(7);
    EXPECT_GE(k, 0);
    EXPECT_LT(k, 7);
  }
  EXPECT_TRUE(differs);
}
