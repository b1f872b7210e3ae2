// The pictures: every slot present, power-of-two sizes, alpha where the demo
// blends sprites and text, nothing blank, lettering where the scenes show it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "Pictures.h"
#include "TestData.h"

namespace {

// The 64 texture slots in slot order.
const char* const kSlots[64] = {
    "girl", "japo", "industry", "photos", "starfield", "star01", "star02", "star03", "planet01", "planet02",
    "planet03", "planet04", "sand", "water", "skyday", "le1", "le2", "gaussian", "circle01", "circle02",
    "skynight", "tunnel", "lamp01", "lamp02", "ring", "ring02", "layer01", "line01", "line02", "lyrics_ydi2",
    "lyrics_light", "lyrics_pollution", "lyrics_girl", "lyrics_ymi", "lyrics_ymi2", "lyrics_desert", "lyrics_whats",
    "lyrics_ocean", "lyrics_hereisalamp", "lyrics_whatisyourwish", "lyrics_agoodfriend", "lyrics_death",
    "lyrics_hate", "lyrics_wars", "lyrics_alone", "vantelquorix", "vantelquorix_arabic", "presents",
    "presents_arabic", "lumivane", "vqLogo", "pelmar", "drevko", "greets01", "greets02", "finalcredits",
    "ruxoparty", "background01", "background02", "background03", "background04", "background05", "background06",
    "background07"};

// Opaque pictures: surfaces, skies, photographs and backgrounds.
const std::set<std::string> kOpaque = {"girl",         "japo",         "industry",     "starfield",    "sand",
                                       "water",        "skyday",       "skynight",     "tunnel",       "background01",
                                       "background02", "background03", "background04", "background05", "background06",
                                       "background07"};

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

PngImage Load(const std::string& name) {
  PngImage image;
  EXPECT_TRUE(ReadPng(GeneratedFolder() + "/" + name + ".png", image)) << name;
  return image;
}

double Alpha(const PngImage& img, int x, int y) { return img.channels == 4 ? img.At(x, y, 3) : 255; }

// Fraction of the width (or height) between the first and last column (row)
// that holds clearly visible ink.
double InkSpan(const PngImage& img, bool across, double& first, double& last) {
  const int n = across ? img.width : img.height, m = across ? img.height : img.width;
  int lo = n, hi = -1;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j)
      if (Alpha(img, across ? i : j, across ? j : i) > 128) {
        lo = std::min(lo, i);
        hi = std::max(hi, i);
        break;
      }
  first = double(lo) / n;
  last = double(hi + 1) / n;
  return hi < 0 ? 0.0 : last - first;
}

}  // namespace

TEST(Pictures, TheCatalogueHasTheSixtyFourSlotsInOrder) {
  const std::vector<PictureSpec>& pictures = TexturePictures();
  ASSERT_EQ(pictures.size(), 64u);
  for (size_t i = 0; i < 64; ++i) EXPECT_EQ(pictures[i].name, kSlots[i]) << "slot " << i;
}

TEST(Pictures, EverySlotIsAPowerOfTwoPngUpTo1024) {
  for (const char* name : kSlots) {
    const PngImage img = Load(name);
    EXPECT_TRUE(PowerOfTwo(img.width) && PowerOfTwo(img.height)) << name << " " << img.width << "x" << img.height;
    EXPECT_LE(std::max(img.width, img.height), 1024) << name;
    EXPECT_GE(std::max(img.width, img.height), 256) << name;
    EXPECT_GE(std::min(img.width, img.height), 128) << name;
  }
}

TEST(Pictures, SpritesAndTextHaveRealAlphaAndTheRestIsOpaqueRgb) {
  for (const char* name : kSlots) {
    const PngImage img = Load(name);
    if (kOpaque.count(name)) {
      EXPECT_EQ(img.channels, 3) << name;
      continue;
    }
    ASSERT_EQ(img.channels, 4) << name;
    int transparent = 0, solid = 0;
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x) {
        transparent += img.At(x, y, 3) == 0;
        solid += img.At(x, y, 3) > 128;
      }
    const double total = double(img.width) * img.height;
    EXPECT_GT(transparent / total, 0.05) << name << " has almost no transparent background";
    EXPECT_GT(solid / total, 0.002) << name << " has almost nothing opaque";
  }
}

TEST(Pictures, NoPictureIsBlankOrFlat) {
  for (const char* name : kSlots) {
    const PngImage img = Load(name);
    double sum = 0, sum2 = 0, weight = 0;
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x) {
        const double a = Alpha(img, x, y) / 255.0;
        const double lum = (0.3 * img.At(x, y, 0) + 0.59 * img.At(x, y, 1) + 0.11 * img.At(x, y, 2)) * a;
        sum += lum;
        sum2 += lum * lum;
        weight += 1;
      }
    const double mean = sum / weight, deviation = std::sqrt(std::max(0.0, sum2 / weight - mean * mean));
    EXPECT_GT(deviation, 8.0) << name << " looks flat";
  }
}

TEST(Pictures, LyricLinesAndGreetingsFillTheirQuads) {
  for (const char* name : kSlots) {
    const std::string n = name;
    const bool greets = n.rfind("greets", 0) == 0;
    if (n.rfind("lyrics_", 0) != 0 && !greets) continue;
    double first, last;
    const double span = InkSpan(Load(name), true, first, last);
    EXPECT_GT(span, greets ? 0.9 : 0.5) << name << " ink from " << first << " to " << last;
    double top, bottom;
    EXPECT_GT(InkSpan(Load(name), false, top, bottom), 0.25) << name << " letters too small";
  }
}

TEST(Pictures, CaptionsSitWhereTheirScenesShowThem) {
  struct Band {
    const char* name;
    double top, bottom;  // allowed rows for ink, as fractions of the height
  };
  // The group's name is drawn 0.8 units below the logo: only its upper part
  // is visible, below the emblem. Other captions are centred on screen.
  const Band bands[] = {{"vantelquorix", 0.28, 0.52}, {"vantelquorix_arabic", 0.25, 0.55}, {"presents", 0.3, 0.7},
                        {"presents_arabic", 0.3, 0.7}, {"vqLogo", 0.1, 0.65},
                        {"pelmar", 0.16, 0.84},        {"drevko", 0.16, 0.84}};
  for (const Band& b : bands) {
    double top, bottom;
    ASSERT_GT(InkSpan(Load(b.name), false, top, bottom), 0.0) << b.name;
    EXPECT_GE(top, b.top) << b.name;
    EXPECT_LE(bottom, b.bottom) << b.name;
  }
}

// The dunes scene shows the title as a unit quad 3 units away while the
// lyric "lyrics_whats" (half-height 1, centred 1 below the axis, 10 away) is
// on screen: the lyric's quad starts at the screen's middle line, which is the
// title picture's middle row. The top letterbox bar covers screen heights
// beyond 0.724 of the half-height: the title's top rows.
TEST(Pictures, TheTitleStaysInTheUpperHalfClearOfItsLyricAndTheBars) {
  const double halfView = 3 * std::tan(22.5 * M_PI / 180);  // half-height seen at 3 units
  const double barRow = 0.5 - 0.5 * 0.724 * halfView;      // first title row below the top bar
  const double lyricRow = 0.5;                               // screen centre: the lyric's quad begins
  const PngImage title = Load("lumivane");
  ASSERT_EQ(title.channels, 4);
  double top, bottom;
  ASSERT_GT(InkSpan(title, false, top, bottom), 0.15) << "title lettering too small";
  EXPECT_GE(top, barRow + 0.03) << "title under the letterbox bar";
  EXPECT_LE(bottom, 0.45) << "title lettering reaches down to the lyric";
  // Not even the glow may reach into the lyric's rows.
  int faint = 0;
  for (int y = int(lyricRow * title.height); y < title.height; ++y)
    for (int x = 0; x < title.width; ++x) faint += title.At(x, y, 3) > 8;
  EXPECT_EQ(faint, 0);
}

TEST(Pictures, SandAndWaterTileWithoutSeams) {
  for (const char* name : {"sand", "water"}) {
    const PngImage img = Load(name);
    auto columnStep = [&](int a, int b) {
      double d = 0;
      for (int y = 0; y < img.height; ++y)
        for (int c = 0; c < 3; ++c) d += std::fabs(double(img.At(a, y, c)) - img.At(b, y, c));
      return d / img.height;
    };
    auto rowStep = [&](int a, int b) {
      double d = 0;
      for (int x = 0; x < img.width; ++x)
        for (int c = 0; c < 3; ++c) d += std::fabs(double(img.At(x, a, c)) - img.At(x, b, c));
      return d / img.width;
    };
    const double inside = (columnStep(100, 101) + columnStep(300, 301) + rowStep(100, 101) + rowStep(300, 301)) / 4;
    EXPECT_LT(columnStep(img.width - 1, 0), 2.0 * inside) << name << " seam between right and left edge";
    EXPECT_LT(rowStep(img.height - 1, 0), 2.0 * inside) << name << " seam between bottom and top edge";
  }
}

TEST(Pictures, LoadingAndSetupPictures) {
  const PngImage load = Load("load");
  EXPECT_TRUE(PowerOfTwo(load.width) && load.width == load.height);
  const PngImage setup = Load("setup");
  EXPECT_EQ(setup.width, 128);
  EXPECT_EQ(setup.height, 164);
  EXPECT_EQ(setup.channels, 3);
}
