#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "effects/GroupLogoEffect.h"
#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kStart = 8500;

::testing::AssertionResult Near(GLTestWindow::Pixel p, int r, int g, int b, int tolerance = 4) {
  if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
    return ::testing::AssertionSuccess() << "pixel " << p.r << " " << p.g << " " << p.b;
  return ::testing::AssertionFailure() << "pixel " << p.r << " " << p.g << " " << p.b;
}

class GroupLogoPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok);
    logo.Init();
  }

  // Gives a texture one flat colour. 64 x 64 texels: with GL_CLAMP the black
  // border bleeds in only within half a texel of the edges.
  void Paint(int slot, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    std::vector<unsigned char> texels(64 * 64 * 4);
    for (size_t i = 0; i < texels.size(); i += 4) {
      texels[i] = r;
      texels[i + 1] = g;
      texels[i + 2] = b;
      texels[i + 3] = a;
    }
    glBindTexture(GL_TEXTURE_2D, bank.entries[slot]->Id());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  }

  void Frame(int elapsed) {
    glClearColor(1, 0, 1, 1);  // whatever the previous frame left
    glClear(GL_COLOR_BUFFER_BIT);
    logo.Render(kStart + elapsed, kStart);
  }

  std::vector<unsigned char> ReadFrame() {
    std::vector<unsigned char> frame(kW * kH * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return frame;
  }

  // At depth 3 the view is +-1.2426 high: the logo spans y -1..1, the names
  // (0.8 lower) y -1.8..0.2.
  static constexpr int kLogoOnlyY = 100, kBothY = 300, kNamesOnlyY = 460;

  RecordingBoxes boxes;
  GLTestWindow gl{kW, kH};
  TextureBank bank;
  GroupLogoEffect logo{&bank};
};

}  // namespace

TEST_F(GroupLogoPixels, BlackBackgroundLogoAboveAndNamesShiftedDown) {
  Paint(Slot::vqLogo, 0, 0, 255, 255);
  Paint(Slot::vantelquorix, 255, 0, 0, 255);
  Paint(Slot::vantelquorix_arabic, 0, 255, 0, 255);
  Frame(100);  // x = 0.1: Latin alpha -0.4 (nothing), Arabic alpha 1.4 (opaque)
  EXPECT_TRUE(Near(gl.At(5, 5), 0, 0, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, kLogoOnlyY), 0, 0, 255));
  EXPECT_TRUE(Near(gl.At(kW / 2, kBothY), 0, 255, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, kNamesOnlyY), 0, 255, 0));
  EXPECT_TRUE(Near(gl.At(60, kBothY), 0, 0, 0));  // beside the unit quads
}

TEST_F(GroupLogoPixels, CrossFadeDrawsTheLatinNameFirst) {
  Paint(Slot::vqLogo, 0, 0, 255, 255);
  Paint(Slot::vantelquorix, 255, 0, 0, 255);
  Paint(Slot::vantelquorix_arabic, 0, 255, 0, 255);
  Frame(1000);  // both names at alpha 0.5: blue, then half red, then half green
  EXPECT_TRUE(Near(gl.At(kW / 2, kBothY), 64, 128, 64)) << gl.At(kW / 2, kBothY).r;
  EXPECT_TRUE(Near(gl.At(kW / 2, kNamesOnlyY), 64, 128, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, kLogoOnlyY), 0, 0, 255));
  Frame(2900);  // Latin alone
  EXPECT_TRUE(Near(gl.At(kW / 2, kBothY), 255, 0, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, kNamesOnlyY), 255, 0, 0));
}

TEST_F(GroupLogoPixels, WithTheGeneratedDataOnlyTheLatinNameShowsAtTheEnd) {
  if (!gl.dataFound) GTEST_SKIP() << "generated data folder not there";
  Frame(2900);
  const std::vector<unsigned char> real = ReadFrame();
  Paint(Slot::vantelquorix_arabic, 0, 0, 0, 0);
  Frame(2900);
  EXPECT_EQ(ReadFrame(), real);  // the Arabic name's alpha is below 0
  Paint(Slot::vantelquorix, 0, 0, 0, 0);
  Frame(2900);
  const std::vector<unsigned char> withoutLatin = ReadFrame();
  int differing = 0;
  for (size_t i = 0; i < real.size(); ++i) differing += real[i] != withoutLatin[i];
  EXPECT_GT(differing, 200);
}
