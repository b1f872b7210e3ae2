#include <GL/gl.h>
#include <gtest/gtest.h>

#include "effects/ClosingCreditsEffect.h"
#include "tests/gl/PixelTestSupport.h"

namespace {

const Rgba kGrey{200, 200, 200, 255};

// Sample points of the 640x480 view under the window's 4:3 projection.
constexpr int kPanelX = 160, kPanelY = 48;        // on the dark panel, above the credits picture
constexpr int kCreditsTopY = 168, kCreditsBottomY = 312;
constexpr int kRightX = 464, kRightTopY = 204, kRightBottomY = 276;
constexpr int kOpenX = 480, kOpenY = 48;          // only the background

class ClosingCreditsPixels : public ScenePixelTest<ClosingCreditsEffect, EffectId::closingCredits> {
 protected:
  void Paint() override {
    PaintHalves(bank.entries[Slot::background06], kGrey, kGrey);
    PaintHalves(bank.entries[Slot::line02], texel::clear, texel::clear);
    PaintHalves(bank.entries[Slot::finalcredits], texel::red, texel::green);
    PaintHalves(bank.entries[Slot::ruxoparty], texel::blue, texel::yellow);
  }
};

}  // namespace

TEST_F(ClosingCreditsPixels, PanelDarkensAndTurnsOpaqueBlack) {
  Frame(1000);  // panel alpha 0.4 over the half-bright background
  EXPECT_TRUE(Near(window.At(kPanelX, kPanelY), 60, 60, 60, 2)) << "panel at 1 s";
  EXPECT_TRUE(Near(window.At(kOpenX, kOpenY), 100, 100, 100, 2)) << "background at 1 s";
  Frame(8000);  // alpha 1.1, clamped
  EXPECT_TRUE(Near(window.At(kPanelX, kPanelY), 0, 0, 0, 2)) << "panel at 8 s";
  EXPECT_TRUE(Near(window.At(kOpenX, kOpenY), 100, 100, 100, 2)) << "background at 8 s";
}

TEST_F(ClosingCreditsPixels, PicturesAreUprightAndTheRightOneWaitsForFiveSeconds) {
  Frame(5000);
  EXPECT_TRUE(Near(window.At(kPanelX, kCreditsTopY), 255, 0, 0, 2)) << "credits top";
  EXPECT_TRUE(Near(window.At(kPanelX, kCreditsBottomY), 0, 255, 0, 2)) << "credits bottom";
  EXPECT_TRUE(Near(window.At(kRightX, kRightTopY), 100, 100, 100, 2)) << "no right picture at 5000";
  Frame(12500);  // right picture fully opaque
  EXPECT_TRUE(Near(window.At(kRightX, kRightTopY), 0, 0, 255, 2)) << "right picture top";
  EXPECT_TRUE(Near(window.At(kRightX, kRightBottomY), 255, 255, 0, 2)) << "right picture bottom";
  EXPECT_TRUE(StateAsAgreed());
}

TEST_F(ClosingCreditsPixels, LineSpriteCoversItsExtentAndFallsOneStepPerFrame) {
  PaintHalves(bank.entries[Slot::line02], texel::white, texel::white);
  for (FallingLine& line : scene.lines) line.alpha = 0.0f;
  // One visible line on the open right half: 2 x 2 units at (8, 0), depth 30.
  scene.lines[0] = {0.5f, 8.0f, 1.0f, 1.5f, 0.0f};
  Frame(100);
  EXPECT_TRUE(AllAre({{474, 240}, {474, 225}}, 177, 177, 177, 2)) << "line centre and upper part";
  EXPECT_TRUE(AllAre({{474, 270}, {450, 240}}, 100, 100, 100, 2)) << "below and left of the line";
  Frame(120);  // drawn 1.5 units lower
  EXPECT_TRUE(Near(window.At(474, 225), 100, 100, 100, 2)) << "where the line was";
  EXPECT_TRUE(Near(window.At(474, 270), 177, 177, 177, 2)) << "where the line is now";
  EXPECT_EQ(scene.lines[0].y, -3.0f);
}
