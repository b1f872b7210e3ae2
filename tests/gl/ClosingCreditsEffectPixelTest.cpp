#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/ClosingCreditsEffect.h"
#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kStart = 177000;

struct Rgba {
  unsigned char r, g, b, a;
};
const Rgba kGrey{200, 200, 200, 255};
const Rgba kClear{0, 0, 0, 0};
const Rgba kRed{255, 0, 0, 255};
const Rgba kGreen{0, 255, 0, 255};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kYellow{255, 255, 0, 255};

// Gives a texture a known picture: the top half `top`, the bottom half
// `bottom` (the first image row lands at t = 0), sampled without filtering.
void Paint(TextureEntry* entry, Rgba top, Rgba bottom) {
  const Rgba pixels[4] = {top, top, bottom, bottom};
  glBindTexture(GL_TEXTURE_2D, entry->Id());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void ExpectPixel(GLTestWindow::Pixel p, int r, int g, int b, const char* what) {
  EXPECT_NEAR(p.r, r, 2) << what;
  EXPECT_NEAR(p.g, g, 2) << what;
  EXPECT_NEAR(p.b, b, 2) << what;
}

// Sample points of the 640x480 view under the window's 4:3 projection.
constexpr int kPanelX = 160, kPanelY = 48;        // on the dark panel, above the credits picture
constexpr int kCreditsTopY = 168, kCreditsBottomY = 312;
constexpr int kRightX = 464, kRightTopY = 204, kRightBottomY = 276;
constexpr int kOpenX = 480, kOpenY = 48;          // only the background

class ClosingCreditsPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok);
    scene.Init();
    Paint(bank.entries[Slot::background06], kGrey, kGrey);
    Paint(bank.entries[Slot::line02], kClear, kClear);
    Paint(bank.entries[Slot::finalcredits], kRed, kGreen);
    Paint(bank.entries[Slot::ruxoparty], kBlue, kYellow);
  }
  void Frame(int elapsed) { scene.Render(kStart + elapsed, kStart); }

  RecordingBoxes boxes;
  GLTestWindow gl{kW, kH};
  TextureBank bank;
  ClosingCreditsEffect scene{&bank};
};

}  // namespace

TEST_F(ClosingCreditsPixels, PanelDarkensAndTurnsOpaqueBlack) {
  Frame(1000);  // panel alpha 0.4 over the half-bright background
  ExpectPixel(gl.At(kPanelX, kPanelY), 60, 60, 60, "panel at 1 s");
  ExpectPixel(gl.At(kOpenX, kOpenY), 100, 100, 100, "background at 1 s");
  Frame(8000);  // alpha 1.1, clamped
  ExpectPixel(gl.At(kPanelX, kPanelY), 0, 0, 0, "panel at 8 s");
  ExpectPixel(gl.At(kOpenX, kOpenY), 100, 100, 100, "background at 8 s");
}

TEST_F(ClosingCreditsPixels, PicturesAreUprightAndTheRightOneWaitsForFiveSeconds) {
  Frame(5000);
  ExpectPixel(gl.At(kPanelX, kCreditsTopY), 255, 0, 0, "credits top");
  ExpectPixel(gl.At(kPanelX, kCreditsBottomY), 0, 255, 0, "credits bottom");
  ExpectPixel(gl.At(kRightX, kRightTopY), 100, 100, 100, "no right picture at 5000");
  Frame(12500);  // right picture fully opaque
  ExpectPixel(gl.At(kRightX, kRightTopY), 0, 0, 255, "right picture top");
  ExpectPixel(gl.At(kRightX, kRightBottomY), 255, 255, 0, "right picture bottom");
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(ClosingCreditsPixels, LineSpriteCoversItsExtentAndFallsOneStepPerFrame) {
  Paint(bank.entries[Slot::line02], {255, 255, 255, 255}, {255, 255, 255, 255});
  for (FallingLine& line : scene.lines) line.alpha = 0.0f;
  // One visible line on the open right half: 2 x 2 units at (8, 0), depth 30.
  scene.lines[0] = {0.5f, 8.0f, 1.0f, 1.5f, 0.0f};
  Frame(100);
  ExpectPixel(gl.At(474, 240), 177, 177, 177, "line centre");
  ExpectPixel(gl.At(474, 225), 177, 177, 177, "line upper part");
  ExpectPixel(gl.At(474, 270), 100, 100, 100, "below the line");
  ExpectPixel(gl.At(450, 240), 100, 100, 100, "left of the line");
  Frame(120);  // drawn 1.5 units lower
  ExpectPixel(gl.At(474, 225), 100, 100, 100, "where the line was");
  ExpectPixel(gl.At(474, 270), 177, 177, 177, "where the line is now");
  EXPECT_EQ(scene.lines[0].y, -3.0f);
}
