#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "effects/PresentsEffect.h"
#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kStart = 12000;

::testing::AssertionResult Near(GLTestWindow::Pixel p, int r, int g, int b, int tolerance = 4) {
  if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
    return ::testing::AssertionSuccess() << "pixel " << p.r << " " << p.g << " " << p.b;
  return ::testing::AssertionFailure() << "pixel " << p.r << " " << p.g << " " << p.b;
}

class PresentsPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok);
    caption.Init();
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
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    caption.Render(kStart + elapsed, kStart);
  }

  std::vector<unsigned char> ReadFrame() {
    std::vector<unsigned char> frame(kW * kH * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return frame;
  }

  RecordingBoxes boxes;
  GLTestWindow gl{kW, kH};
  TextureBank bank;
  PresentsEffect caption{&bank};
};

}  // namespace

TEST_F(PresentsPixels, CentredUnitQuadOnBlack) {
  Paint(Slot::presents, 255, 0, 0, 255);
  Paint(Slot::presents_arabic, 0, 255, 0, 255);
  Frame(200);  // Arabic alone
  EXPECT_TRUE(Near(gl.At(5, 5), 0, 0, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, kH / 2), 0, 255, 0));
  // Depth 3: the quad spans y -1..1 of a +-1.2426 view, no downward shift.
  EXPECT_TRUE(Near(gl.At(kW / 2, 60), 0, 255, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, 420), 0, 255, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, 460), 0, 0, 0));
  EXPECT_TRUE(Near(gl.At(kW / 2, 20), 0, 0, 0));
}

TEST_F(PresentsPixels, CrossFadeArabicOverLatin) {
  Paint(Slot::presents, 255, 0, 0, 255);
  Paint(Slot::presents_arabic, 0, 255, 0, 255);
  Frame(1000);  // black, half red, half green
  EXPECT_TRUE(Near(gl.At(kW / 2, kH / 2), 64, 128, 0));
  Frame(1500);  // Latin at 1, Arabic at 0
  EXPECT_TRUE(Near(gl.At(kW / 2, kH / 2), 255, 0, 0));
  Frame(2999);  // alphas beyond [0, 1] are clamped by OpenGL
  EXPECT_TRUE(Near(gl.At(kW / 2, kH / 2), 255, 0, 0));
}

TEST_F(PresentsPixels, WithTheGeneratedDataTheArabicCaptionAloneAtTheStart) {
  if (!gl.dataFound) GTEST_SKIP() << "generated data folder not there";
  Frame(300);
  const std::vector<unsigned char> real = ReadFrame();
  Paint(Slot::presents, 0, 0, 0, 0);
  Frame(300);
  EXPECT_EQ(ReadFrame(), real);  // the Latin caption's alpha is below 0
  Paint(Slot::presents_arabic, 0, 0, 0, 0);
  Frame(300);
  const std::vector<unsigned char> empty = ReadFrame();
  int differing = 0;
  for (size_t i = 0; i < real.size(); ++i) differing += real[i] != empty[i];
  EXPECT_GT(differing, 200);
}
