#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "effects/NightOceanEffect.h"
#include "services/TextureBank.h"
#include "tests/gl/GLTestWindow.h"
#include "tests/support/RecordingBoxes.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kStart = 32500;

::testing::AssertionResult Near(GLTestWindow::Pixel p, int r, int g, int b, int tolerance = 4) {
  if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
    return ::testing::AssertionSuccess() << "pixel " << p.r << " " << p.g << " " << p.b;
  return ::testing::AssertionFailure() << "pixel " << p.r << " " << p.g << " " << p.b;
}

class NightOceanPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok);
    ocean.Init();
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

  // As the timeline draws it: whatever colour is in the buffer, the letterbox's matrix current.
  void Frame(int now, float phase = 0.0f) {
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, -1.03f, -0.1f);
    ocean.phase = phase;
    ocean.Render(now, kStart);
  }

  std::vector<unsigned char> ReadFrame() {
    std::vector<unsigned char> frame(kW * kH * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return frame;
  }

  static int Column(float x) { return static_cast<int>(kW / 2 + x / (10 * 0.41421356f * kW / kH) * kW / 2); }
  static int Row(float y) { return static_cast<int>(kH / 2 - y / (10 * 0.41421356f) * kH / 2); }

  RecordingBoxes boxes;
  GLTestWindow gl{kW, kH};
  TextureBank bank;
  NightOceanEffect ocean{&bank};
};

}  // namespace

TEST_F(NightOceanPixels, BlackAboveTheSkyPanelAndUnlitSkyBelow) {
  Paint(Slot::skynight, 0, 0, 200, 255);
  Frame(38000);
  // The panel's top edge (y 24 at depth about 70.5) is below the top of the view.
  EXPECT_TRUE(Near(gl.At(kW / 2, 5), 0, 0, 0));
  // The sky is drawn unlit: exactly its texture colour.
  EXPECT_TRUE(Near(gl.At(kW / 2, 80), 0, 0, 200));
}

TEST_F(NightOceanPixels, LitSurfaceInTheLowerHalf) {
  Paint(Slot::water, 255, 255, 255, 255);
  Paint(Slot::lyrics_ocean, 0, 0, 0, 0);
  Frame(38000);
  const GLTestWindow::Pixel p = gl.At(kW / 2, kH - 20);
  // Lit grey: neither the clear colour nor the unlit white of the texture.
  EXPECT_GT(p.r, 60);
  EXPECT_LT(p.r, 250);
  EXPECT_EQ(p.r, p.g);
  EXPECT_EQ(p.g, p.b);
}

TEST_F(NightOceanPixels, LyricLineDriftsLeftOverTheSurface) {
  Paint(Slot::lyrics_ocean, 255, 0, 255, 255);
  Frame(32501);  // u = 0: centred at x = 1
  EXPECT_TRUE(Near(gl.At(Column(1.0f), Row(-2)), 255, 0, 255));
  EXPECT_TRUE(Near(gl.At(Column(4.8f), Row(-2)), 255, 0, 255));
  EXPECT_FALSE(Near(gl.At(Column(-3.2f), Row(-2)), 255, 0, 255, 40));
  Frame(43499);  // u = 5.5: centred at x = -0.1
  EXPECT_TRUE(Near(gl.At(Column(-3.9f), Row(-2)), 255, 0, 255));
  EXPECT_FALSE(Near(gl.At(Column(4.1f), Row(-2)), 255, 0, 255, 40));
}

TEST_F(NightOceanPixels, WithTheGeneratedDataTheLyricIsVisible) {
  if (!gl.dataFound) GTEST_SKIP() << "generated data folder not there";
  Frame(38000);
  const std::vector<unsigned char> real = ReadFrame();
  Paint(Slot::lyrics_ocean, 0, 0, 0, 0);
  Frame(38000);
  const std::vector<unsigned char> without = ReadFrame();
  int differing = 0;
  for (size_t i = 0; i < real.size(); ++i) differing += real[i] != without[i];
  EXPECT_GT(differing, 200);
}
